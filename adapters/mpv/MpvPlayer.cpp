#include "adapters/mpv/MpvPlayer.h"

#include <chrono>
#include <cstdio>

#include "config/PlayableAddress.h"
#include "adapters/mpv/MpvFailureText.h"
#include "adapters/mpv/MpvLibrary.h"
#include "adapters/mpv/MpvOpenGuard.h"

#include <QFile>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <future>
#include <string_view>
#include <utility>

#include "adapters/mpv/MpvProperties.h"
#include "adapters/mpv/MpvQuietStart.h"

namespace ruvo {
namespace {

bool IsStream(const std::string& url) { return url.find("://") != std::string::npos && url.rfind("file://", 0) != 0; }

// The player's options besides its window.
constexpr std::pair<const char*, const char*> kOptions[] = {
    {"config", "no"},                  // a user's mpv.conf must not change the program
    {"ytdl", "no"},                    // never run yt-dlp on portal addresses
    {"osc", "no"},                     // the window has its own player bar
    {"input-default-bindings", "no"},  // keys belong to the window
    {"input-vo-keyboard", "no"},
    {"input-cursor", "no"},            // the mouse too
    {"keep-open", "yes"},              // the end pauses on the last frame; the window moves on
    {"idle", "yes"},
    {"audio-fallback-to-null", "yes"},  // play the video on machines without sound
    // The sound servers and the sound library of a Linux desktop, in libmpv's
    // own order; SDL and OSS only lead back to them, and on a machine without
    // sound SDL alone made the first play wait 100 ms before giving up.
    {"ao", "pipewire,pulse,alsa,jack"},
    // libmpv's built-in scripts (statistics, console, profiles) are for its
    // own window and keys, which the program does not use; loading them held
    // up the first play by 20 ms.
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"load-scripts", "no"},
    {"vo", "libmpv"},                   // frames go to the window's video view
    // Frames come to the view at their display time: drawing one never waits
    // for that time in the user-interface thread (the views ask for no wait).
    {"video-timing-offset", "0"},
};

double NodeDouble(const mpv_node& node) {
    if (node.format == MPV_FORMAT_DOUBLE) return node.u.double_;
    if (node.format == MPV_FORMAT_INT64) return static_cast<double>(node.u.int64);
    return 0;
}

// A tenth of a second of black and silence in the formats most videos come
// in (H.264 and AAC in MP4), handed to libmpv in the address itself: the
// first real play then finds the demuxer, both decoders and the sound
// output started once already.
std::string WarmUpClipAddress() {
    QFile clip(QStringLiteral(":/player/warm-up.mp4"));
    if (!clip.open(QIODevice::ReadOnly)) return {};
    return "hex://" + clip.readAll().toHex().toStdString();
}

}  // namespace

constexpr int kWarmUpLimitMs = 1000;

// Shown in the status line when the picture cannot be drawn.
constexpr const char* kNoPictureText = "无法显示视频画面(OpenGL不可用)";

MpvPlayer::MpvPlayer(MpvVideoView* view) : view_(view), viewWidget_(view ? view->Widget() : nullptr) {}

MpvPlayer::~MpvPlayer() { Shutdown(); }

void MpvPlayer::Shutdown() {
    if (preparing_.valid()) {
        mpv_handle* made = preparing_.get();
        if (made) MpvLibrary::Get()->terminate_destroy(made);
    }
    if (!mpv_) return;
    lib_->set_wakeup_callback(mpv_, nullptr, nullptr);  // no event may arrive for a dead object
    if (viewWidget_) view_->Detach();  // before the handle: libmpv requires it
    lib_->terminate_destroy(mpv_);
    mpv_ = nullptr;
    view_ = nullptr;  // never started again
    viewWidget_ = nullptr;
}

void MpvPlayer::GetReady() {
    if (!mpv_ && !preparing_.valid()) MpvLibrary::LoadInBackground();
}

MpvPlayer::HandleOptions MpvPlayer::CurrentOptions() const {
    return {verbose_, volume_, speed_, HardwareDecodingChoice()};
}

void MpvPlayer::Prepare() {
    if (mpv_ || preparing_.valid() || !viewWidget_) return;
    std::setlocale(LC_NUMERIC, "C");  // process-wide: set here, not beside other threads
    madeWith_ = CurrentOptions();
    preparing_ = std::async(std::launch::async, [this, options = madeWith_]() -> mpv_handle* {
        const MpvLibrary* lib = MpvLibrary::Get();
        mpv_handle* made = lib ? CreateHandle(*lib, options) : nullptr;
        QMetaObject::invokeMethod(this, "FinishPreparing", Qt::QueuedConnection);
        return made;
    });
}

void MpvPlayer::FinishPreparing() {
    if (mpv_ || !preparing_.valid() || !viewWidget_) return;  // a play took it already
    if (!Adopt(preparing_.get())) return;
    if (eventObserver_) eventObserver_("made");
    warmUp_ = WarmUpStage::Due;
    if (picture_ == Picture::Drawing) WarmUp();
}

void MpvPlayer::WarmUp() {
    warmUp_ = WarmUpStage::Playing;
    const std::string clip = WarmUpClipAddress();
    if (clip.empty() || !guard_.Load(*lib_, mpv_, clip, {AddressOrigin::Outside, clip}, 0)) return EndWarmUp();
    // Should it never end (a picture that is never drawn), a play waits no longer.
    QTimer::singleShot(kWarmUpLimitMs, this, [this] {
        if (warmUp_ != WarmUpStage::Playing) return;
        const char* stop[] = {"stop", nullptr};
        lib_->command_async(mpv_, 0, stop);
        EndWarmUp();
    });
}

void MpvPlayer::EndWarmUp() {
    warmUp_ = WarmUpStage::Done;
    if (playAfterWarmUp_) Play();
    playAfterWarmUp_ = false;
}

bool MpvPlayer::EnsureStarted() {
    if (mpv_) return true;
    if (!viewWidget_) return false;
    if (preparing_.valid()) return Adopt(preparing_.get());
    const MpvLibrary* lib = MpvLibrary::Get();
    if (!lib) return false;
    std::setlocale(LC_NUMERIC, "C");  // libmpv refuses to start under a locale with a decimal comma
    madeWith_ = CurrentOptions();
    return Adopt(CreateHandle(*lib, madeWith_));
}

mpv_handle* MpvPlayer::CreateHandle(const MpvLibrary& lib, const HandleOptions& options) {
    mpv_handle* mpv = lib.create();
    if (!mpv) return nullptr;
    for (const auto& [name, value] : kOptions) lib.set_option_string(mpv, name, value);
    MpvOpenGuard::SetOptions(lib, mpv);
    // The machine's video decoder where it has one that works, else software.
    lib.set_option_string(mpv, "hwdec", options.hardwareDecoding);
    lib.set_option_string(mpv, "terminal", options.verbose ? "yes" : "no");
    if (!options.verbose) SilenceSoundLibraryErrors();
    // Started at the user's volume: set afterwards, libmpv's first report of
    // its own default (100) could come first and be taken for the user's.
    lib.set_option_string(mpv, mpvprop::kVolume, std::to_string(options.volume).c_str());
    // A chosen speed holds for every item until changed.
    lib.set_option_string(mpv, mpvprop::kSpeed, std::to_string(options.speed).c_str());
    if (lib.initialize(mpv) < 0 || !MpvOpenGuard::Install(lib, mpv)) {
        lib.terminate_destroy(mpv);
        return nullptr;
    }
    // Why an item fails, for the status line (an HTTP status is a warning).
    lib.request_log_messages(mpv, "warn");
    for (size_t i = 0; i < std::size(mpvprop::kObserved); ++i) {
        const std::string_view name = mpvprop::kObserved[i];
        const bool isFlag = name == mpvprop::kPause || name == mpvprop::kPausedForCache ||
                            name == mpvprop::kEofReached || name == mpvprop::kIdleActive || name == mpvprop::kMute;
        const bool isNode = name == mpvprop::kDemuxerCacheState || name == mpvprop::kTrackList;
        const mpv_format format = isNode ? MPV_FORMAT_NODE
                                  : isFlag                            ? MPV_FORMAT_FLAG
                                                                      : MPV_FORMAT_DOUBLE;
        lib.observe_property(mpv, i, mpvprop::kObserved[i], format);
    }
    return mpv;
}

bool MpvPlayer::Adopt(mpv_handle* handle) {
    if (!handle) return false;
    lib_ = MpvLibrary::Get();
    mpv_ = handle;
    // An entry refused on libmpv's way is told as an address refused.
    guard_.SetRefusalObserver([this](const std::string&) {
        refused_ = true;
        if (eventObserver_) eventObserver_("refused");
    });
    // Changed while the handle was being made.
    if (volume_ != madeWith_.volume) SetVolume(volume_);
    if (speed_ != madeWith_.speed) SetSpeed(speed_);
    // The wakeup callback runs on an mpv thread: it only queues the drain.
    lib_->set_wakeup_callback(
        mpv_, [](void* self) { QMetaObject::invokeMethod(static_cast<MpvPlayer*>(self), "DrainEvents", Qt::QueuedConnection); },
        this);
    QMetaObject::invokeMethod(this, "DrainEvents", Qt::QueuedConnection);  // what came before the callback
    view_->Attach(lib_, mpv_, [this](bool drawing) { ViewReady(drawing); });
    return true;
}

void MpvPlayer::ViewReady(bool drawing) {
    picture_ = drawing ? Picture::Drawing : Picture::Failed;
    if (!drawing) {
        failure_ = kNoPictureText;
        snapshot_.loading = false;
        snapshot_.failed = true;
    }
    if (drawing && warmUp_ == WarmUpStage::Due && !playWhenDrawing_ && loadedUrl_.empty()) WarmUp();
    if (drawing && playWhenDrawing_) Play();
    playWhenDrawing_ = false;
}

void MpvPlayer::SetPlayUrl(const std::string& url) {
    if (url != url_) refused_ = false;
    url_ = url;
    snapshot_.hasUrl = !url.empty();
}

std::string MpvPlayer::FailureText() const {
    if (refused_) return kUnsupportedAddressText;
    if (!failure_.empty()) return failure_;
    return openFailed_ ? FailureTextOf(openError_, errorLog_) : "";
}

void MpvPlayer::LoadCurrentUrl() {
    // An address downloaded ahead plays from the disk.
    const std::string local = downloads_ && downloadFolder_ ? downloads_->CompletedFile(url_, downloadFolder_()) : "";
    const std::string& source = local.empty() ? url_ : local;
    // The last guard, whoever asked: nothing but a web address or a file
    // reaches libmpv (the warm-up clip is the player's own).
    refused_ = !IsPlayableAddress(source, AddressOrigin::User);
    if (refused_) return RefuseCurrentUrl();
    // A copy downloaded ahead plays by the rules of the address it came from.
    const AddressOrigin origin = IsWebAddress(url_) ? AddressOrigin::Outside : AddressOrigin::User;
    guard_.Load(*lib_, mpv_, source, {origin, source}, startAt_);
    if (warmUp_ == WarmUpStage::Due) warmUp_ = WarmUpStage::Done;  // too late for it
    startAt_ = 0;
    loadedUrl_ = url_;
    awaitingFirstFrame_ = true;
    openFailed_ = false;
    errorLog_.clear();
    snapshot_ = {};
    snapshot_.hasUrl = true;
    snapshot_.loading = true;
    snapshot_.network = IsStream(source);
    position_ = duration_ = cacheEnd_ = cacheSpeed_ = videoBitrate_ = audioBitrate_ = 0;
    cacheComplete_ = false;
}

// What plays stops, and the address stays refused until another is put.
void MpvPlayer::RefuseCurrentUrl() {
    const char* stop[] = {"stop", nullptr};
    lib_->command_async(mpv_, 0, stop);
    loadedUrl_ = url_;
    awaitingFirstFrame_ = false;
    snapshot_ = {};
    snapshot_.hasUrl = true;
    snapshot_.failed = true;
    position_ = duration_ = 0;
    if (eventObserver_) eventObserver_("refused");
}

void MpvPlayer::Play() {
    if (url_.empty() || !EnsureStarted()) return;
    if (picture_ == Picture::Failed) return;  // nothing can be shown: nothing plays
    if (picture_ == Picture::Waiting || warmUp_ == WarmUpStage::Playing) {
        // The view has not been shown yet, or the warm-up plays: the file
        // loads once the view can draw or the warm-up has ended.
        (warmUp_ == WarmUpStage::Playing ? playAfterWarmUp_ : playWhenDrawing_) = true;
        snapshot_.loading = true;
        snapshot_.stopped = false;
        return;
    }
    if (url_ != loadedUrl_ || snapshot_.stopped || snapshot_.idle || snapshot_.failed) {
        LoadCurrentUrl();
    } else if (snapshot_.endOfFile) {
        const char* command[] = {"seek", "0", "absolute", nullptr};
        lib_->command_async(mpv_, 0, command);
    }
    int no = 0;
    lib_->set_property_async(mpv_, 0, mpvprop::kPause, MPV_FORMAT_FLAG, &no);
    snapshot_.paused = false;
}

void MpvPlayer::Pause() {
    if (!mpv_) return;
    int yes = 1;
    lib_->set_property_async(mpv_, 0, mpvprop::kPause, MPV_FORMAT_FLAG, &yes);
    snapshot_.paused = true;
}

void MpvPlayer::Stop() {
    playWhenDrawing_ = false;
    playAfterWarmUp_ = false;
    if (!mpv_) return;
    const char* command[] = {"stop", nullptr};
    lib_->command_async(mpv_, 0, command);
    snapshot_.stopped = true;
    openFailed_ = false;
    position_ = 0;
}

PlayerState MpvPlayer::PlayState() const { return MapPlayState(snapshot_); }

void MpvPlayer::SetMuted(bool muted) {
    if (!EnsureStarted()) return;
    int flag = muted ? 1 : 0;
    lib_->set_property_async(mpv_, 0, mpvprop::kMute, MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::SetFullScreen(bool on) {
    if (fullScreenRequest_) fullScreenRequest_(on);
}

void MpvPlayer::SetVolume(int percent) {
    volume_ = std::clamp(percent, 0, 100);  // above 100 mpv amplifies and clips
    if (!mpv_) return;
    double volume = volume_;
    ++volumeSetsPending_;
    lib_->set_property_async(mpv_, kVolumeReply, mpvprop::kVolume, MPV_FORMAT_DOUBLE, &volume);
}

void MpvPlayer::SetPosition(int seconds) {
    if (url_ != loadedUrl_ || !mpv_ || snapshot_.stopped) {
        startAt_ = std::max(seconds, 0);  // not loaded yet: where it will start
        position_ = startAt_;
        return;
    }
    const std::string target = std::to_string(std::max(seconds, 0));
    const char* command[] = {"seek", target.c_str(), "absolute", nullptr};
    lib_->command_async(mpv_, 0, command);
    position_ = std::max(seconds, 0);
}

// The position is told once a frame (a tenth of a second apart in a
// 10-frame video): between two, it has moved on by the time since.
double MpvPlayer::ExactPosition() const {
    if (PlayState() != PlayerState::Playing) return position_;
    const double since = std::chrono::duration<double>(std::chrono::steady_clock::now() - positionHeardAt_).count();
    return position_ + std::clamp(since, 0.0, 0.25) * speed_;
}

void MpvPlayer::SeekExactly(double seconds) {
    if (url_ != loadedUrl_ || !mpv_ || snapshot_.stopped) return SetPosition(static_cast<int>(seconds + 0.5));
    char target[32];
    std::snprintf(target, sizeof target, "%.3f", std::max(seconds, 0.0));
    const char* command[] = {"seek", target, "absolute+exact", nullptr};
    lib_->command_async(mpv_, 0, command);
    position_ = std::max(seconds, 0.0);
}

int MpvPlayer::DownloadSpeed() const {
    if (!snapshot_.network) return 0;
    return WholeNumber(cacheSpeed_ / 1024);
}

int MpvPlayer::DownloadProgress() const {
    if (url_.empty() || loadedUrl_ != url_ || snapshot_.loading) return 0;
    if (!snapshot_.network || cacheComplete_) return 1000;
    if (duration_ <= 0) return 0;
    return std::clamp(static_cast<int>(cacheEnd_ / duration_ * 1000), 0, 1000);
}

void MpvPlayer::PreloadUrl(const std::string& url) {
    if (downloads_ && downloadFolder_) downloads_->Start(url, downloadFolder_());
}

namespace {

const mpv_node* MapValue(const mpv_node& map, const char* key) {
    if (map.format != MPV_FORMAT_NODE_MAP || !map.u.list) return nullptr;
    for (int i = 0; i < map.u.list->num; ++i)
        if (std::strcmp(map.u.list->keys[i], key) == 0) return &map.u.list->values[i];
    return nullptr;
}

std::string MapText(const mpv_node& map, const char* key) {
    const mpv_node* value = MapValue(map, key);
    return value && value->format == MPV_FORMAT_STRING && value->u.string ? value->u.string : "";
}

bool MapFlag(const mpv_node& map, const char* key) {
    const mpv_node* value = MapValue(map, key);
    return value && value->format == MPV_FORMAT_FLAG && value->u.flag != 0;
}

std::string SelectedTracksText(const std::vector<MediaTrack>& tracks) {
    int audio = 0, subtitle = 0;
    for (const MediaTrack& track : tracks) {
        if (!track.selected) continue;
        (track.kind == TrackKind::Audio ? audio : subtitle) = track.id;
    }
    return "tracks audio=" + std::to_string(audio) + " subtitle=" + std::to_string(subtitle);
}

}  // namespace

void MpvPlayer::TakeTrackList(const mpv_node& list) {
    tracks_.clear();
    if (list.format != MPV_FORMAT_NODE_ARRAY || !list.u.list) return;
    for (int i = 0; i < list.u.list->num; ++i) {
        const mpv_node& entry = list.u.list->values[i];
        const std::string type = MapText(entry, "type");
        if (type != "audio" && type != "sub") continue;
        const mpv_node* id = MapValue(entry, "id");
        if (!id || id->format != MPV_FORMAT_INT64 || id->u.int64 <= 0 || id->u.int64 > 100000) continue;
        MediaTrack track;
        track.kind = type == "audio" ? TrackKind::Audio : TrackKind::Subtitle;
        track.id = static_cast<int>(id->u.int64);
        track.language = MapText(entry, "lang");
        track.title = MapText(entry, "title");
        track.selected = MapFlag(entry, "selected");
        track.external = MapFlag(entry, "external");
        tracks_.push_back(std::move(track));
    }
    const std::string selected = SelectedTracksText(tracks_);
    if (selected == selectedTracks_) return;
    selectedTracks_ = selected;
    if (eventObserver_) eventObserver_(selected.c_str());
}

void MpvPlayer::SelectTrack(TrackKind kind, int id) {
    if (!mpv_) return;
    const std::string value = id > 0 ? std::to_string(id) : "no";
    const char* text = value.c_str();
    lib_->set_property_async(mpv_, 0, kind == TrackKind::Audio ? "aid" : "sid", MPV_FORMAT_STRING, &text);
}

void MpvPlayer::AddSubtitleFile(const std::string& path) {
    if (!mpv_ || path.empty()) return;
    const char* command[] = {"sub-add", path.c_str(), "select", nullptr};
    lib_->command_async(mpv_, 0, command);
}

void MpvPlayer::SetSubtitleDelay(double seconds) {
    subtitleDelay_ = seconds;
    if (!mpv_) return;
    lib_->set_property_async(mpv_, 0, mpvprop::kSubDelay, MPV_FORMAT_DOUBLE, &seconds);
}

void MpvPlayer::SetSpeed(double speed) {
    if (!(speed > 0)) return;
    speed_ = speed;
    if (!mpv_) return;
    lib_->set_property_async(mpv_, 0, mpvprop::kSpeed, MPV_FORMAT_DOUBLE, &speed);
}

void MpvPlayer::SaveScreenshot(const std::string& path, std::function<void(bool)> done) {
    if (!mpv_ || loadedUrl_.empty() || snapshot_.stopped || snapshot_.idle || screenshotDone_) {
        if (done) done(false);
        return;
    }
    screenshotDone_ = std::move(done);
    // "video": the decoded frame at its own size, without subtitles or the
    // window's scaling. The file's extension makes it a PNG.
    const char* command[] = {"screenshot-to-file", path.c_str(), "video", nullptr};
    lib_->command_async(mpv_, kScreenshotReply, command);
}

// Asked at the first frame, answered by events: the user-interface thread is
// libmpv's render thread, and a blocking read there can wait for a frame
// that only that thread can draw.
void MpvPlayer::AskAboutFirstFrame() {
    lib_->get_property_async(mpv_, kDecoderReply, "hwdec-current", MPV_FORMAT_STRING);
    lib_->get_property_async(mpv_, kFirstFrameReply, mpvprop::kTimePos, MPV_FORMAT_DOUBLE);
}

void MpvPlayer::HandleReply(const mpv_event& event) {
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    const bool present = event.error >= 0 && property && property->data && property->format != MPV_FORMAT_NONE;
    if (event.reply_userdata == kDecoderReply) {
        const char* decoder = present && property->format == MPV_FORMAT_STRING ? *static_cast<char**>(property->data) : nullptr;
        const std::string name = decoder && *decoder ? decoder : "no";
        if (verbose_) std::fprintf(stderr, "ruvo-box: video decoding: %s\n", name == "no" ? "software" : name.c_str());
        if (eventObserver_) eventObserver_(("hwdec " + name).c_str());
    } else if (event.reply_userdata == kFirstFrameReply && eventObserver_) {
        const double seconds = present && property->format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(property->data) : 0;
        eventObserver_(("first frame at " + std::to_string(static_cast<int>(seconds))).c_str());
    }
}

void MpvPlayer::DrainEvents() {
    while (mpv_) {
        const mpv_event* event = lib_->wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE) break;
        HandleEvent(*event);
    }
    std::vector<PlayerEvent> events;
    events.swap(eventsToTell_);
    for (const PlayerEvent event : events) {
        if (event == PlayerEvent::Failed && eventObserver_) eventObserver_(("failed " + FailureText()).c_str());
        if (eventHandler_) eventHandler_(event);
    }
}

bool MpvPlayer::TakenByWarmUp(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_PLAYBACK_RESTART: {
            const char* stop[] = {"stop", nullptr};
            lib_->command_async(mpv_, 0, stop);
            return true;
        }
        case MPV_EVENT_END_FILE:
            EndWarmUp();
            return true;
        case MPV_EVENT_PROPERTY_CHANGE:
        case MPV_EVENT_START_FILE:
        case MPV_EVENT_FILE_LOADED:
            return true;
        default:
            return false;  // replies to the program's own requests
    }
}

void MpvPlayer::HandleEvent(const mpv_event& event) {
    if (guard_.Handle(*lib_, mpv_, event)) return;
    if (warmUp_ == WarmUpStage::Playing && TakenByWarmUp(event)) return;
    switch (event.event_id) {
        case MPV_EVENT_PROPERTY_CHANGE:
            HandleProperty(event);
            break;
        case MPV_EVENT_START_FILE:
            snapshot_.loading = true;
            snapshot_.failed = false;
            break;
        case MPV_EVENT_FILE_LOADED:
            snapshot_.loading = false;
            snapshot_.stopped = false;
            break;
        case MPV_EVENT_SET_PROPERTY_REPLY:
            if (event.reply_userdata == kVolumeReply && volumeSetsPending_ > 0) --volumeSetsPending_;
            break;
        case MPV_EVENT_GET_PROPERTY_REPLY:
            HandleReply(event);
            break;
        case MPV_EVENT_COMMAND_REPLY:
            if (event.reply_userdata == kScreenshotReply && screenshotDone_) {
                auto done = std::move(screenshotDone_);
                screenshotDone_ = nullptr;
                done(event.error >= 0);
            }
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            eventsToTell_.push_back(awaitingFirstFrame_ ? PlayerEvent::FirstFrame : PlayerEvent::SeekDone);
            if (awaitingFirstFrame_) AskAboutFirstFrame();
            if (awaitingFirstFrame_ && eventObserver_) eventObserver_("started");
            awaitingFirstFrame_ = false;
            snapshot_.loading = false;
            snapshot_.stopped = false;
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event.data);
            snapshot_.loading = false;
            if (end && end->reason == MPV_END_FILE_REASON_ERROR) ItemFailed(end->error);
            break;
        }
        case MPV_EVENT_LOG_MESSAGE:
            KeepOpeningError(*static_cast<const mpv_event_log_message*>(event.data));
            break;
        default:
            break;
    }
}

void MpvPlayer::ItemFailed(int error) {
    snapshot_.failed = true;
    openFailed_ = true;
    openError_ = error;
    eventsToTell_.push_back(PlayerEvent::Failed);
}

// The messages of what opens and reads an item: the sound output's own
// complaints (a machine without sound) say nothing of it. They may come
// after the item's end, so the reason is read when it is asked for.
void MpvPlayer::KeepOpeningError(const mpv_event_log_message& log) {
    constexpr size_t kKeptLog = 4096;  // the reason is among the item's first errors
    if (!log.text || !log.prefix || errorLog_.size() >= kKeptLog) return;
    const std::string_view module = log.prefix;
    if (module == "ffmpeg" || module == "stream" || module == "file" || module == "lavf" || module == "demux")
        errorLog_ += log.text;
}

void MpvPlayer::HandleProperty(const mpv_event& event) {
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    if (!property || !property->name) return;
    const std::string name = property->name;
    const bool present = property->format != MPV_FORMAT_NONE && property->data;
    const double number = present && property->format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(property->data) : 0;
    const bool flag = present && property->format == MPV_FORMAT_FLAG && *static_cast<int*>(property->data) != 0;
    if (name == mpvprop::kTimePos) {
        // The time label follows the picture: each new whole second is told.
        const double before = position_;
        position_ = std::max(0.0, number);
        positionHeardAt_ = std::chrono::steady_clock::now();
        if (static_cast<int>(before) != static_cast<int>(position_) && !loadedUrl_.empty())
            eventsToTell_.push_back(PlayerEvent::PositionChanged);
    }
    else if (name == mpvprop::kDuration) duration_ = std::max(0.0, number);
    else if (name == mpvprop::kPause) {
        if (flag != snapshot_.paused && !loadedUrl_.empty())
            eventsToTell_.push_back(flag ? PlayerEvent::Paused : PlayerEvent::Resumed);
        snapshot_.paused = flag;
    }
    else if (name == mpvprop::kPausedForCache) {
        if (flag != snapshot_.pausedForCache && !loadedUrl_.empty())
            eventsToTell_.push_back(flag ? PlayerEvent::BufferingStarted : PlayerEvent::BufferingEnded);
        snapshot_.pausedForCache = flag;
    }
    else if (name == mpvprop::kEofReached) {
        if (flag && !snapshot_.endOfFile) {
            if (eventObserver_) eventObserver_("ended");
            eventsToTell_.push_back(PlayerEvent::EndOfFile);
        }
        snapshot_.endOfFile = flag;
    }
    else if (name == mpvprop::kIdleActive) snapshot_.idle = flag;
    else if (name == mpvprop::kCacheSpeed) cacheSpeed_ = number;
    else if (name == mpvprop::kSpeed && present) {
        if (eventObserver_) eventObserver_(("speed " + std::to_string(number)).c_str());  // as libmpv plays it
        speed_ = number;
    }
    else if (name == mpvprop::kSubDelay) subtitleDelay_ = number;
    else if (name == mpvprop::kTrackList && present && property->format == MPV_FORMAT_NODE) {
        TakeTrackList(*static_cast<const mpv_node*>(property->data));
        eventsToTell_.push_back(PlayerEvent::TracksChanged);
    }
    else if (name == mpvprop::kVideoBitrate) videoBitrate_ = number;
    else if (name == mpvprop::kAudioBitrate) audioBitrate_ = number;
    // A report from before the user's latest change is not taken for it.
    else if (name == mpvprop::kVolume && present && volumeSetsPending_ == 0) volume_ = static_cast<int>(std::lround(number));
    else if (name == mpvprop::kDemuxerCacheState && present && property->format == MPV_FORMAT_NODE) {
        const auto* node = static_cast<const mpv_node*>(property->data);
        if (node->format != MPV_FORMAT_NODE_MAP) return;
        for (int i = 0; i < node->u.list->num; ++i) {
            const char* key = node->u.list->keys[i];
            const mpv_node& value = node->u.list->values[i];
            if (std::strcmp(key, "cache-end") == 0) cacheEnd_ = NodeDouble(value);
            if (std::strcmp(key, "eof") == 0 && value.format == MPV_FORMAT_FLAG) cacheComplete_ = value.u.flag != 0;
        }
    }
}

}  // namespace ruvo
