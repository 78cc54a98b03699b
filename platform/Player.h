#pragma once
// The embedded media player (the "player control"). Values are read from
// what the player last reported, so a getter never waits for the player.
#include <functional>
#include <string>
#include <vector>

namespace ruvo {

// What the player is doing, as libmpv lets it be known.
enum class PlayerState {
    Idle,        // nothing loaded, finished with an error, or never started
    Stopped,     // stopped by the program, nothing played since
    Paused,
    Playing,
    Buffering,   // waiting for the network, holding its picture
    Ended,       // at its end, keeping the last frame
    Preparing,   // opening a local file
    Connecting,  // opening a network address
};

// An audio or subtitle track of the loaded item, as the file names it.
enum class TrackKind { Audio, Subtitle };
struct MediaTrack {
    TrackKind kind = TrackKind::Audio;
    int id = 0;            // the player's track number, from 1
    std::string language;  // "chi", "eng" ... ("" when the file names none)
    std::string title;     // "国语" ... ("" when the file names none)
    bool selected = false;
    bool external = false;  // loaded from a subtitle file
};

// What the player reports by itself as it happens, between the status ticks.
enum class PlayerEvent {
    FirstFrame,  // the item's first frame is shown, after a load (at its resume point)
    Paused,     // it holds its picture, asked to or at its own end
    Resumed,
    SeekDone,   // it shows the picture at the position it was sent to
    EndOfFile,  // it has reached the end and keeps the last frame
    Failed,     // the item could not be opened or played (FailureText says why)
    BufferingStarted,  // it waits for the network, holding its picture
    BufferingEnded,
    TracksChanged,  // the audio and subtitle tracks it offers changed
    PositionChanged,  // the play position reached another whole second
};

class Player {
public:
    virtual ~Player() = default;
    // Who hears the player's events; each is heard on the program's own thread.
    virtual void SetEventHandler(std::function<void(PlayerEvent)>) {}
    // A play may follow soon (an episode is being looked up): the player may
    // get ready now, away from the user-interface thread.
    virtual void GetReady() {}
    // Media URL or local path; "" = nothing loaded. Put loads nothing yet.
    virtual std::string PlayUrl() const = 0;
    virtual void SetPlayUrl(const std::string& url) = 0;
    // Starts the loaded media, or resumes it.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual PlayerState PlayState() const = 0;
    virtual void SetMuted(bool muted) = 0;
    // The picture fills the screen, or leaves it.
    virtual void SetFullScreen(bool on) = 0;
    // True while the picture fills the screen (however it got there).
    virtual bool IsFullScreen() const { return false; }
    // Percent, 0 to 100 (values outside are clamped).
    virtual int Volume() const = 0;
    virtual void SetVolume(int percent) = 0;
    // Whole seconds; 0 until known. Putting the position seeks; put after a
    // new address and before Play, it is where that address starts playing.
    virtual int Duration() const = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int seconds) = 0;
    // The same with the fraction of a second, for what must land finer than
    // a second (the end of an opening).
    virtual double ExactPosition() const { return Position(); }
    virtual void SeekExactly(double seconds) { SetPosition(static_cast<int>(seconds + 0.5)); }
    // Network receive rate in KB/s (0 for a local file).
    virtual int DownloadSpeed() const = 0;
    // Media bit rate in Kbps (0 until known).
    virtual int BitRate() const = 0;
    // Per mille of the media already downloaded (1000 for a local file).
    virtual int DownloadProgress() const = 0;
    // Starts downloading the address ahead of playing it.
    virtual void PreloadUrl(const std::string& url) = 0;
    // The loaded item's audio and subtitle tracks, as last reported.
    virtual std::vector<MediaTrack> Tracks() const { return {}; }
    // Plays this track of its kind; for subtitles 0 turns them off.
    virtual void SelectTrack(TrackKind, int) {}
    // Adds a subtitle file to what plays and shows it.
    virtual void AddSubtitleFile(const std::string&) {}
    // Seconds the subtitles are shown later (negative: earlier).
    virtual double SubtitleDelay() const { return 0; }
    virtual void SetSubtitleDelay(double) {}
    // Playback speed, 1.0 = normal.
    virtual double Speed() const { return 1; }
    virtual void SetSpeed(double) {}
    // Saves the frame shown now, at the video's own size, as a PNG file;
    // `done` hears whether it was written.
    virtual void SaveScreenshot(const std::string&, std::function<void(bool)> done) {
        if (done) done(false);
    }
    // Why nothing can play here ("" while all is well), for the status line.
    virtual std::string FailureText() const { return {}; }
};

}  // namespace ruvo
