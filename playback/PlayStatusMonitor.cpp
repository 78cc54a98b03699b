#include "playback/PlayStatusMonitor.h"

#include <cstdint>

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "playback/BarProgress.h"

namespace ruvo {

bool PlayStatusMonitor::BalloonsWanted() const {
    return parts_.options.IsOn(Option::TrayBalloons);
}

void PlayStatusMonitor::StatusTick() {
    ShowStatus();
    if (noticeTicksLeft_ > 0) {
        --noticeTicksLeft_;
        parts_.controls.SetText({ControlName::StatusLine}, notice_);
    } else if (!waiting_.empty()) {
        parts_.controls.SetText({ControlName::StatusLine}, waiting_);
    }
    KeepPositionSafe();
    parts_.followPlay();
}

void PlayStatusMonitor::PlayerReported(PlayerEvent event) {
    Player& player = parts_.player;
    if (player.PlayUrl().empty() || parts_.session.inPagePlayer) return;
    WindowView& c = parts_.controls;
    switch (event) {
        case PlayerEvent::FirstFrame: return ShowFirstFrame();
        case PlayerEvent::Paused:
            // The player pauses by itself on its last frame: that is the end's.
            if (NearTheEnd()) return;
            parts_.showPlayPause(false);
            if (noticeTicksLeft_ == 0) c.SetText({ControlName::StatusLine}, "已暂停");
            return;
        case PlayerEvent::Resumed:
            parts_.showPlayPause(true);
            if (noticeTicksLeft_ == 0) ShowPlayingNow();
            return;
        case PlayerEvent::BufferingStarted:
            if (noticeTicksLeft_ == 0)
                c.SetText({ControlName::StatusLine},
                          "正在缓冲 (" + std::to_string(static_cast<int16_t>(player.DownloadSpeed())) + "Kbps/S)");
            return;
        case PlayerEvent::BufferingEnded:
            if (noticeTicksLeft_ == 0 && player.PlayState() == PlayerState::Playing) ShowPlayingNow();
            return;
        case PlayerEvent::TracksChanged: return;
        case PlayerEvent::SeekDone:
            if (!ItemHasEnded()) DrawProgress();
            return;
        case PlayerEvent::EndOfFile:
            // An item sought to its end, or shorter than a tick: the end of
            // play begins now, as the next tick would begin it.
            if (!parts_.endOfPlay.IsEnabled()) CheckEndEndsTick();
            return;
        case PlayerEvent::Failed:
            // Said where the user looks, at once: not "播放完毕" at the next tick.
            parts_.showPlayPause(false);
            parts_.controls.SetText({ControlName::StatusLine}, player.FailureText());
            parts_.showTrayTip(player.FailureText());
            return;
    }
}

void PlayStatusMonitor::ShowFirstFrame() {
    WindowView& c = parts_.controls;
    c.SetVisible({ControlName::PlayerAdPanel}, false);
    if (!c.IsVisible({ControlName::StatusStrip})) c.SetVisible({ControlName::StatusStrip}, true);
    ShowPicture();
    if (noticeTicksLeft_ == 0 && waiting_.empty()) ShowPlayingNow();
    DrawProgress();
}

// The cover and the next episode's notice go; the bar offers to pause.
void PlayStatusMonitor::ShowPicture() {
    WindowView& c = parts_.controls;
    c.SetVisible({ControlName::PlayerCover}, false);
    c.SetVisible({ControlName::NextEpisodeNotice}, false);
    parts_.showPlayPause(true);
}

// Between ticks: the bit rate once the player knows it, else the plain text
// the bar's own play button shows.
void PlayStatusMonitor::ShowPlayingNow() {
    if (parts_.player.BitRate() > 0) return ShowPlayingText(0);
    parts_.controls.SetText({ControlName::StatusLine}, "正在播放");
}

void PlayStatusMonitor::NextEpisodeFound() {
    if (!ItemHasEnded() || parts_.endOfPlay.IsEnabled()) return;  // the end of play takes it up
    if (!parts_.options.IsOn(Option::AutoPlayNext)) return;
    WindowView& c = parts_.controls;
    parts_.statusTick.SetEnabled(false);
    c.SetVisible({ControlName::NextEpisodeNotice}, true);
    PlayOnOrResumeTicking();
}

void PlayStatusMonitor::ShowWaiting(const std::string& text) {
    waiting_ = text;
    if (!text.empty()) parts_.controls.SetText({ControlName::StatusLine}, text);
}

void PlayStatusMonitor::RedrawProgress() {
    if (parts_.player.PlayUrl().empty() || parts_.session.inPagePlayer) return;
    DrawProgress();
}

void PlayStatusMonitor::KeepPositionSafe() {
    if (parts_.player.PlayState() != PlayerState::Playing) return;
    if (++playingSeconds_ < kPositionSaveSeconds) return;
    playingSeconds_ = 0;
    parts_.savePlayingPosition();
}

void PlayStatusMonitor::ShowStatus() {
    Player& player = parts_.player;
    if (player.PlayUrl().empty()) return ShowNothingLoaded();
    WindowView& c = parts_.controls;
    if (!c.IsVisible({ControlName::StatusStrip})) c.SetVisible({ControlName::StatusStrip}, true);
    stripShownForWork_ = false;  // it stays from now on
    // An item that has ended resumes at 1 (set at its end), not at its end.
    if (!ItemHasEnded()) parts_.session.lastPosition = player.Position();
    if (CheckEndEndsTick()) return;
    const int speed = static_cast<int16_t>(player.DownloadSpeed());
    Preload();
    const PlayerState state = player.PlayState();
    if (state == PlayerState::Playing) ShowPlaying(speed);
    ShowState(state, speed);
    if (const std::string failure = player.FailureText(); !failure.empty()) c.SetText({ControlName::StatusLine}, failure);
    DrawProgress();
}

void PlayStatusMonitor::ShowNothingLoaded() {
    WindowView& c = parts_.controls;
    parts_.showPlayPause(false);
    c.SetText({ControlName::StatusLine}, backgroundWork_.empty() ? "准备就绪" : backgroundWork_);
    MoveLeftEdge(c, {ControlName::DownloadedBar}, -30);
}

void PlayStatusMonitor::ShowNotice(const std::string& text) {
    constexpr int kNoticeTicks = 2;
    notice_ = text;
    noticeTicksLeft_ = kNoticeTicks;
    parts_.controls.SetText({ControlName::StatusLine}, text);
}

void PlayStatusMonitor::ShowBackgroundWork(const std::string& text) {
    backgroundWork_ = text;
    if (!parts_.player.PlayUrl().empty()) return;  // the player's state keeps the line
    WindowView& c = parts_.controls;
    // The strip shows from the first play on; the work shows in it before.
    if (!text.empty() && !c.IsVisible({ControlName::StatusStrip})) {
        c.SetVisible({ControlName::StatusStrip}, true);
        stripShownForWork_ = true;
    } else if (text.empty() && stripShownForWork_) {
        c.SetVisible({ControlName::StatusStrip}, false);
    }
    ShowNothingLoaded();
}

bool PlayStatusMonitor::ItemHasEnded() const {
    return parts_.player.PlayUrl() == endedUrl_ && NearTheEnd();
}

bool PlayStatusMonitor::NearTheEnd() const {
    const Player& player = parts_.player;
    return player.Position() > player.Duration() - 2 && player.Position() > 0;
}

bool PlayStatusMonitor::CheckEndEndsTick() {
    if (!NearTheEnd()) {
        endedUrl_.clear();  // playing again (replayed or sought back) or the next item
        return false;
    }
    Player& player = parts_.player;
    // Once ended, the bar stays as the end of play left it: it runs once an
    // item. (The next item, if short, may be near its end at its first tick.)
    if (player.PlayUrl() == endedUrl_) return true;
    // Paused in its last seconds, the item has not ended: the user holds the
    // picture there, and the end (with the next episode) waits for play.
    if (player.PlayState() == PlayerState::Paused) {
        parts_.endOfPlay.SetEnabled(false);
        return false;
    }
    // It fires 2 s after the first such tick.
    const bool endJustCame = !parts_.endOfPlay.IsEnabled();
    parts_.endOfPlay.SetEnabled(true);
    // In the last two seconds the bar stays as it is unless balloons are wanted.
    if (!BalloonsWanted()) return true;
    if (endJustCame && parts_.session.next.IsReady())
        parts_.showTrayTip("正在准备播放下一集！");  // once an item, not every second
    return false;
}

void PlayStatusMonitor::Preload() {
    Player& player = parts_.player;
    NextEpisode& next = parts_.session.next;
    if (player.DownloadProgress() <= kPreloadThreshold || next.media == NextEpisode::Media::None || next.preloadStarted)
        return;
    if (next.media == NextEpisode::Media::Known) {
        player.PreloadUrl(next.mediaAddress);
        next.preloadStarted = true;
        if (BalloonsWanted()) parts_.showTrayTip("开始缓冲下一集！");
    } else {
        parts_.lookUpNextEpisode();
    }
}

void PlayStatusMonitor::ShowPlaying(int speed) {
    PlaySession& s = parts_.session;
    Player& player = parts_.player;
    if (s.resumeAt > 0 && !s.resumed) {
        if (player.Position() < s.resumeAt) player.SetPosition(s.resumeAt);
        s.resumed = true;
    }
    s.resumeAt = player.Position();
    ShowPicture();
    ShowPlayingText(speed);
}

void PlayStatusMonitor::ShowPlayingText(int speed) {
    const Player& player = parts_.player;
    const std::string text = speed >= 1 && player.Position() > 6 ? "播放中(" + std::to_string(speed) + " Kbps/S)"
                                                                 : "播放中(" + std::to_string(player.BitRate()) + " Kbps)";
    parts_.controls.SetText({ControlName::StatusLine}, text);
}

// Nothing plays: nothing was loaded, the item ended, or it could not play.
std::string PlayStatusMonitor::IdleText() const {
    const Player& player = parts_.player;
    if (player.PlayUrl().empty()) return "准备就绪";
    const std::string failure = player.FailureText();
    return failure.empty() ? "播放完毕" : failure;
}

void PlayStatusMonitor::ShowState(PlayerState state, int speed) {
    WindowView& c = parts_.controls;
    if (state != PlayerState::Playing) {
        if (state == PlayerState::Paused || state == PlayerState::Connecting) {
            if (parts_.ads.player == AdPane::Shown) c.SetVisible({ControlName::PlayerAdPanel}, true);
        } else {
            c.SetVisible({ControlName::PlayerAdPanel}, false);
        }
        // Paused, the picture stays in view (the advert panel over it when switched on).
        c.SetVisible({ControlName::PlayerCover}, state != PlayerState::Paused);
    }
    auto playLook = [this] { parts_.showPlayPause(false); };
    const std::string kbps = std::to_string(speed);
    switch (state) {
        case PlayerState::Idle: c.SetText({ControlName::StatusLine}, IdleText()); playLook(); break;
        case PlayerState::Stopped: c.SetText({ControlName::StatusLine}, "已停止"); playLook(); break;
        case PlayerState::Paused: c.SetText({ControlName::StatusLine}, "已暂停"); playLook(); break;
        case PlayerState::Buffering: c.SetText({ControlName::StatusLine}, "正在缓冲 (" + kbps + "Kbps/S)"); break;
        case PlayerState::Ended: c.SetText({ControlName::StatusLine}, "播放结束"); break;  // the button keeps its look
        case PlayerState::Preparing: c.SetText({ControlName::StatusLine}, "准备读"); break;
        case PlayerState::Connecting: c.SetText({ControlName::StatusLine}, "正在连接 (" + kbps + "KB/S)"); break;
        case PlayerState::Playing: break;  // the tick wrote the line with the bit rate
    }
}

void PlayStatusMonitor::DrawProgress() {
    WindowView& c = parts_.controls;
    Player& player = parts_.player;
    DrawBarProgress(c, ProgressAt(player.Position(), player.Duration(), player.DownloadProgress(), SeekTrackSizesOf(c)));
    // The time label, sized to its text, ends 13 pixels from the player box's right.
    const Rect times = c.Geometry({ControlName::PlayTimes});
    const Rect panel = c.Geometry({ControlName::PlayerBox});
    c.Move({ControlName::PlayTimes}, {panel.width - times.width - 13, 3, times.width, times.height});
}

void PlayStatusMonitor::EndOfPlayTick() {
    parts_.followPlay();  // the item has ended; the next one asks again
    endedUrl_ = parts_.player.PlayUrl();
    WindowView& c = parts_.controls;
    PlaySession& s = parts_.session;
    c.SetVisible({ControlName::PlayerCover}, true);
    c.SetText({ControlName::StatusLine}, "播放完毕");
    parts_.showPlayPause(false);  // nothing plays: the button offers to play again
    parts_.endOfPlay.SetEnabled(false);
    s.resumeAt = 1;
    s.lastPosition = 1;
    if (s.next.kind != NextEpisode::Kind::RetryDue) {
        if (!s.next.IsReady()) return;
        parts_.statusTick.SetEnabled(false);
        c.SetVisible({ControlName::NextEpisodeNotice}, true);
    }
    PlayOnOrResumeTicking();
}

void PlayStatusMonitor::PlayOnOrResumeTicking() {
    const PlaySession& s = parts_.session;
    if (!parts_.options.IsOn(Option::AutoPlayNext)) {
        parts_.statusTick.SetEnabled(true);
        return;
    }
    if (s.next.IsReady()) parts_.playNextEpisode(s.next.play);
}

}  // namespace ruvo
