#include "playback/MediaRemote.h"

#include <algorithm>
#include <cmath>

#include "playback/KeyboardShortcuts.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlaybackSpeed.h"
#include "playback/PlayerMemory.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"

namespace ruvo {
namespace {

constexpr int64_t kMicroseconds = 1000000;

}  // namespace

bool MediaRemote::PagePlays() const {
    return parts_.playback.Area().ShowsPagePlayer();
}

// A page item is played and paused in its page, as its own controls do (the
// bar's button acts on the player only).
void MediaRemote::PlayPause() {
    if (PagePlays()) pageMediaPaused_ = !pageMediaPaused_;
    parts_.bar.TogglePause();
}

void MediaRemote::Play() {
    if (PagePlays()) {
        parts_.pagePlayer.ControlPageMedia(PageMediaAction::Play);
        pageMediaPaused_ = false;
    } else if (!parts_.bar.ShowsPlaying()) {
        parts_.bar.TogglePause();
    }
}

void MediaRemote::Pause() {
    if (PagePlays()) {
        parts_.pagePlayer.ControlPageMedia(PageMediaAction::Pause);
        pageMediaPaused_ = true;
    } else if (parts_.bar.ShowsPlaying()) {
        parts_.bar.TogglePause();
    }
}

void MediaRemote::Stop() { parts_.bar.Stop(); }
void MediaRemote::Next() { parts_.bar.PlayNextEpisode(); }
void MediaRemote::Previous() { parts_.bar.PlayPreviousEpisode(); }

// Seconds are counted in 64 bits until clamped: an offset of 2^63 µs is
// the end, not an overflow to the start.
void MediaRemote::MoveTo(int64_t seconds) {
    Player& player = parts_.player;
    if (player.Position() <= 0 || player.Duration() <= 0) return;  // never starts a stopped item
    const int64_t last = std::max(0, player.Duration() - 2);
    player.SetPosition(static_cast<int>(std::clamp<int64_t>(seconds, 0, last)));
    parts_.playback.SoughtTo(player.Position());
}

void MediaRemote::SeekBy(int64_t offsetUs) { MoveTo(parts_.player.Position() + offsetUs / kMicroseconds); }

void MediaRemote::SeekTo(int64_t positionUs) {
    // Out of range, before the start or past the end: ignored, as the interface asks.
    if (positionUs < 0 || positionUs / kMicroseconds > parts_.player.Duration()) return;
    MoveTo(positionUs / kMicroseconds);
}

void MediaRemote::SetVolume(double volume) {
    if (std::isnan(volume)) return;  // no volume at all
    Player& player = parts_.player;
    parts_.bar.Unmute();
    player.SetVolume(static_cast<int>(std::clamp(volume, 0.0, 1.0) * 100 + 0.5));
    parts_.sliders.DrawVolume(player.Volume());
    parts_.memory.RememberChanges();
}

void MediaRemote::SetRate(double rate) {
    if (rate == 0) return Pause();
    if (!(rate > 0)) return;  // negative or not a number: not a speed
    const double speed = SpeedWithinRange(rate);
    parts_.player.SetSpeed(speed);
    parts_.monitor.ShowNotice(SpeedText(speed));
}

void MediaRemote::Raise() {
    MainWindowHost& host = parts_.host;
    if (host.IsMinimized()) host.ShowNormal();
    host.Show();
}

void MediaRemote::Quit() {
    if (parts_.quit) parts_.quit();
}

MediaStatus MediaRemote::Status() {
    Player& player = parts_.player;
    const PlaySession& s = parts_.playback.Session();
    MediaStatus status;
    status.url = player.PlayUrl();
    const bool loaded = !status.url.empty() || s.inPagePlayer;
    status.playback = parts_.bar.ShowsPlaying() ? "Playing" : loaded && player.PlayState() == PlayerState::Paused ? "Paused" : "Stopped";
    // A page item plays by itself in its page; the bar shows nothing of it.
    if (!PagePlays()) pageMediaPaused_ = false;  // the next page item plays by itself
    else status.playback = pageMediaPaused_ ? "Paused" : "Playing";
    status.title = parts_.playback.Area().title;
    status.positionUs = static_cast<int64_t>(player.Position()) * kMicroseconds;
    status.lengthUs = static_cast<int64_t>(player.Duration()) * kMicroseconds;
    status.volume = player.Volume() / 100.0;
    status.rate = player.Speed();
    status.canPlay = loaded;
    status.canSeek = loaded && !s.inPagePlayer && player.Duration() > 0;
    status.canGoNext = status.canGoPrevious = parts_.playback.Area().hasEpisodes;
    return status;
}

}  // namespace ruvo
