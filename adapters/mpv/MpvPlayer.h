#pragma once
// The player on libmpv, drawing through libmpv's render interface into a
// widget of the main window (MpvVideoView). Events are drained on the
// user-interface thread; getters return the values last reported, so none
// ever blocks.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <future>
#include <string>

#include "platform/MediaDownloads.h"
#include "platform/Player.h"
#include "adapters/mpv/MpvOpenGuard.h"
#include "adapters/mpv/MpvPlayState.h"
#include "adapters/mpv/MpvVideoView.h"

struct mpv_handle;
struct mpv_event;
struct mpv_node;
struct mpv_event_log_message;

namespace ruvo {

struct MpvLibrary;

class MpvPlayer final : public QObject, public Player {
    Q_OBJECT
public:
    // `view` is the widget the video is drawn into.
    explicit MpvPlayer(MpvVideoView* view);
    ~MpvPlayer() override;

    // Where preloads go: the downloads and the folder they are kept in.
    void SetDownloads(MediaDownloads* downloads, std::function<std::string()> folder) {
        downloads_ = downloads;
        downloadFolder_ = std::move(folder);
    }
    // Told "started" when a loaded file shows its first frame and "ended"
    // when it has shown its last.
    void SetEventObserver(std::function<void(const char*)> observer) { eventObserver_ = std::move(observer); }
    // Asked to switch to (true) or leave full screen.
    // Verbose: libmpv and its libraries print their messages on the console.
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    void SetFullScreenRequest(std::function<void(bool)> request) { fullScreenRequest_ = std::move(request); }
    // Tells whether the window shows the picture on the whole screen.
    void SetFullScreenQuery(std::function<bool()> query) { fullScreenQuery_ = std::move(query); }
    bool IsFullScreen() const override { return fullScreenQuery_ && fullScreenQuery_(); }

    void SetEventHandler(std::function<void(PlayerEvent)> handler) override { eventHandler_ = std::move(handler); }
    void GetReady() override;
    // Makes the player ahead of its first play, as a user who has just seen
    // the portal's page soon asks: the library is loaded and the handle
    // created and initialised on a thread of its own (a first click paid
    // some 250 ms for it, the window frozen for 100), then joined to the
    // view on this thread. A play that comes first waits for the rest.
    void Prepare();
    std::string PlayUrl() const override { return url_; }
    // Ends the player for good, before the window that holds its view goes
    // (libmpv's drawing state lives in the view).
    void Shutdown();
    std::string FailureText() const override;

    void SetPlayUrl(const std::string& url) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    PlayerState PlayState() const override;
    void SetMuted(bool muted) override;
    void SetFullScreen(bool on) override;
    int Volume() const override { return volume_; }
    void SetVolume(int percent) override;
    int Duration() const override { return WholeNumber(duration_); }
    int Position() const override { return WholeNumber(position_); }
    void SetPosition(int seconds) override;
    double ExactPosition() const override;
    void SeekExactly(double seconds) override;
    int DownloadSpeed() const override;
    int BitRate() const override { return WholeNumber((videoBitrate_ + audioBitrate_) / 1000); }
    int DownloadProgress() const override;
    void PreloadUrl(const std::string& url) override;
    std::vector<MediaTrack> Tracks() const override { return tracks_; }
    void SelectTrack(TrackKind kind, int id) override;
    void AddSubtitleFile(const std::string& path) override;
    double SubtitleDelay() const override { return subtitleDelay_; }
    void SetSubtitleDelay(double seconds) override;
    double Speed() const override { return speed_; }
    void SetSpeed(double speed) override;
    void SaveScreenshot(const std::string& path, std::function<void(bool)> done) override;

private:
    bool verbose_ = false;
    // A reported figure as a whole number within what an int holds.
    static int WholeNumber(double value) { return value <= 0 ? 0 : value >= 2147483647.0 ? 2147483647 : static_cast<int>(value); }
    bool EnsureStarted();
    // What the handle is created with: read on this thread, used on any.
    struct HandleOptions {
        bool verbose = false;
        int volume = 100;
        double speed = 1;
        const char* hardwareDecoding = "no";
    };
    HandleOptions CurrentOptions() const;
    // Creates, sets up and initialises a handle (any thread); nullptr on failure.
    static mpv_handle* CreateHandle(const MpvLibrary& lib, const HandleOptions& options);
    // Takes a made handle as the player's own: events and the view. False for none.
    bool Adopt(mpv_handle* handle);
    Q_INVOKABLE void FinishPreparing();
    // Plays a tenth of a second of black and silence the user never sees
    // (the view is covered until a play): the first file otherwise waited
    // for the sound output to be found and the picture's shaders to be made.
    // Its events are the warm-up's own and reach nobody.
    void WarmUp();
    void EndWarmUp();
    // True for the warm-up's own events (its file, its properties), which
    // reach nobody; replies to the program's requests go on as ever.
    bool TakenByWarmUp(const mpv_event& event);
    // The view can draw (true) or never will (false).
    void ViewReady(bool drawing);
    void LoadCurrentUrl();
    void RefuseCurrentUrl();
    // The loaded item ended with libmpv's error: the failure is told.
    void ItemFailed(int error);
    void KeepOpeningError(const mpv_event_log_message& log);
    Q_INVOKABLE void DrainEvents();
    // Asks which decoder plays the file (said in the log) and where the
    // first frame is ("first frame at 12" to the observer), without waiting.
    void AskAboutFirstFrame();
    void HandleReply(const mpv_event& event);
    static constexpr uint64_t kDecoderReply = 1000, kFirstFrameReply = 1001, kVolumeReply = 1002,
                              kScreenshotReply = 1003;
    // Reads the track list libmpv reported; tells the observer which tracks
    // play when that changed ("tracks audio=2 subtitle=0").
    void TakeTrackList(const mpv_node& list);
    int volumeSetsPending_ = 0;  // volume changes libmpv has not confirmed yet
    void HandleEvent(const mpv_event& event);
    void HandleProperty(const mpv_event& event);

    MpvVideoView* view_ = nullptr;
    QPointer<QWidget> viewWidget_;  // gone with the window: then view_ is too
    enum class Picture { Waiting, Drawing, Failed } picture_ = Picture::Waiting;
    bool playWhenDrawing_ = false;  // Play came before the view could draw
    enum class WarmUpStage { None, Due, Playing, Done } warmUp_ = WarmUpStage::None;
    bool playAfterWarmUp_ = false;  // Play came while the warm-up played
    int startAt_ = 0;               // seconds: where the next load starts
    std::string failure_;
    bool refused_ = false;  // the address that is to play is not one the player may open
    bool openFailed_ = false;  // the loaded item could not play
    int openError_ = 0;        // libmpv's error code for it
    std::string errorLog_;     // libmpv's messages of opening it, since it was loaded
    const MpvLibrary* lib_ = nullptr;  // set when the player first starts
    mpv_handle* mpv_ = nullptr;
    MpvOpenGuard guard_;  // every address libmpv opens, checked on its way
    std::future<mpv_handle*> preparing_;  // valid while a handle is made ahead and not yet taken
    HandleOptions madeWith_;
    std::function<void(bool)> fullScreenRequest_;
    std::function<bool()> fullScreenQuery_;
    std::function<void(const char*)> eventObserver_;
    std::function<void(PlayerEvent)> eventHandler_;
    // Heard while libmpv's queue is read, told once it is empty: the handler
    // may then ask the player anything.
    std::vector<PlayerEvent> eventsToTell_;
    MediaDownloads* downloads_ = nullptr;
    std::function<std::string()> downloadFolder_;
    std::string url_, loadedUrl_;
    MpvSnapshot snapshot_;
    double position_ = 0, duration_ = 0, cacheEnd_ = 0, cacheSpeed_ = 0, videoBitrate_ = 0, audioBitrate_ = 0;
    std::chrono::steady_clock::time_point positionHeardAt_;  // when position_ was told
    bool cacheComplete_ = false;
    bool awaitingFirstFrame_ = false;
    int volume_ = 100;
    std::vector<MediaTrack> tracks_;
    std::string selectedTracks_;  // as last told to the observer
    double speed_ = 1, subtitleDelay_ = 0;
    std::function<void(bool)> screenshotDone_;
};

}  // namespace ruvo
