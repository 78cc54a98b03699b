#include "playback/MediaRemote.h"

#include <algorithm>

#include "playback/KeyboardShortcuts.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlaybackSpeed.h"
#include "playback/PlayerMemory.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"
#include "portal/MainWindow.h"

namespace ruvo {
namespace {

constexpr int64_t kMicroseconds = 1000000;

}  // namespace

bool MediaRemote::PagePlays() const {
    return window_.Session().inPagePlayer && window_.Controls().IsVisible({ControlName::PagePlayerBox});
}

// A page item is played and paused in its page, as its own controls do (the
// bar's button would close the page).
void MediaRemote::PlayPause() {
    if (!PagePlays()) return window_.Transport().TogglePause();
    window_.PaneOf(Pane::Web2).ControlPageMedia(PageMediaAction::PlayPause);
    pageMediaPaused_ = !pageMediaPaused_;
}

void MediaRemote::Play() {
    if (PagePlays()) {
        window_.PaneOf(Pane::Web2).ControlPageMedia(PageMediaAction::Play);
        pageMediaPaused_ = false;
    } else if (!window_.Transport().ShowsPlaying()) {
        window_.Transport().TogglePause();
    }
}

void MediaRemote::Pause() {
    if (PagePlays()) {
        window_.PaneOf(Pane::Web2).ControlPageMedia(PageMediaAction::Pause);
        pageMediaPaused_ = true;
    } else if (window_.Transport().ShowsPlaying()) {
        window_.Transport().TogglePause();
    }
}

void MediaRemote::Stop() { window_.Transport().Stop(); }
void MediaRemote::Next() { window_.Transport().PlayNextEpisode(); }
void MediaRemote::Previous() { window_.Transport().PlayPreviousEpisode(); }

void MediaRemote::MoveTo(int seconds) {
    Player& player = window_.PlayerControl();
    if (player.Position() <= 0 || player.Duration() <= 0) return;  // never starts a stopped item
    player.SetPosition(std::clamp(seconds, 0, std::max(0, player.Duration() - 2)));
}

void MediaRemote::SeekBy(int64_t offsetUs) {
    MoveTo(static_cast<int>(window_.PlayerControl().Position() + offsetUs / kMicroseconds));
}

void MediaRemote::SeekTo(int64_t positionUs) {
    if (positionUs < 0) return;  // out of range: ignored, as the interface asks
    MoveTo(static_cast<int>(positionUs / kMicroseconds));
}

void MediaRemote::SetVolume(double volume) {
    Player& player = window_.PlayerControl();
    window_.Transport().Unmute();
    player.SetVolume(static_cast<int>(std::clamp(volume, 0.0, 1.0) * 100 + 0.5));
    window_.Sliders().DrawVolume(player.Volume());
    window_.Memory().RememberChanges();
}

void MediaRemote::SetRate(double rate) {
    if (rate == 0) return Pause();
    if (!(rate > 0)) return;  // negative or not a number: not a speed
    const double speed = SpeedWithinRange(rate);
    window_.PlayerControl().SetSpeed(speed);
    window_.Monitor().ShowNotice(SpeedText(speed));
}

void MediaRemote::Raise() {
    MainWindowHost& host = window_.Host();
    if (host.IsMinimized()) host.ShowNormal();
    host.Show();
}

void MediaRemote::Quit() { window_.Exit(); }

MediaStatus MediaRemote::Status() {
    Player& player = window_.PlayerControl();
    const PlaySession& s = window_.Session();
    MediaStatus status;
    status.url = player.PlayUrl();
    const bool loaded = !status.url.empty() || s.inPagePlayer;
    status.playback = window_.Transport().ShowsPlaying() ? "Playing" : loaded && player.PlayState() == kPlayPaused ? "Paused" : "Stopped";
    if (!PagePlays()) pageMediaPaused_ = false;  // the next page item plays by itself
    else if (pageMediaPaused_) status.playback = "Paused";
    status.title = window_.Controls().Text({ControlName::TitleLine});
    status.positionUs = static_cast<int64_t>(player.Position()) * kMicroseconds;
    status.lengthUs = static_cast<int64_t>(player.Duration()) * kMicroseconds;
    status.volume = player.Volume() / 100.0;
    status.rate = player.Speed();
    status.canPlay = loaded;
    status.canSeek = loaded && !s.inPagePlayer && player.Duration() > 0;
    status.canGoNext = status.canGoPrevious = s.episode.has_value();
    return status;
}

}  // namespace ruvo
