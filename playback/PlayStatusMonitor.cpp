#include "playback/PlayStatusMonitor.h"

#include "config/SettingsKeys.h"

namespace ruvo {
namespace {
// A timer aimed at a moment may fire a little before the player reports it.
constexpr double kLateness = 0.05;
}  // namespace

bool PlayStatusMonitor::BalloonsWanted() const {
    return parts_.options.IsOn(Option::TrayBalloons);
}

// A notice belongs to the item it came with.
bool PlayStatusMonitor::NoticeShows() const {
    return noticeTicksLeft_ > 0 && noticeItem_ == parts_.playback.ItemNumber();
}

void PlayStatusMonitor::StatusTick() {
    ShowStatus();
    if (NoticeShows()) {
        --noticeTicksLeft_;
        parts_.playback.ShowStatus(notice_, true);
    }
    KeepPositionSafe();
    parts_.followPlay();
}

void PlayStatusMonitor::PlayerReported(PlayerEvent event) {
    Player& player = parts_.player;
    Playback& playback = parts_.playback;
    if (player.PlayUrl().empty() || !playback.Area().ShowsPlayer()) return;
    switch (event) {
        case PlayerEvent::FirstFrame:
            ShowStripOnce();
            parts_.controls.SetVisible({ControlName::NextEpisodeNotice}, false);
            playback.PictureShown();
            if (!NoticeShows()) ShowPlayingNow();
            return NotePosition();
        case PlayerEvent::Paused:
            // The player pauses by itself on its last frame: that is the end's.
            if (NearTheFileEnd()) return;
            playback.PausedShown();
            if (!NoticeShows()) playback.ShowStatus("已暂停");
            return;
        case PlayerEvent::Resumed:
            playback.PictureShown();
            if (!NoticeShows()) ShowPlayingNow();
            return;
        case PlayerEvent::BufferingStarted:
            if (!NoticeShows())
                playback.ShowStatus("正在缓冲 (" + std::to_string(player.DownloadSpeed()) + "Kbps/S)");
            return;
        case PlayerEvent::BufferingEnded:
            if (!NoticeShows() && player.PlayState() == PlayerState::Playing) ShowPlayingNow();
            return;
        case PlayerEvent::TracksChanged: return;
        case PlayerEvent::SeekDone:
        case PlayerEvent::PositionChanged:
            if (!ItemHasEnded()) NotePosition();
            return;
        case PlayerEvent::EndOfFile:
            // An item sought to its end, or shorter than a tick: the end of
            // play begins now, as the next tick would begin it.
            if (!parts_.endOfPlay.IsEnabled()) CheckEndEndsTick();
            return;
        case PlayerEvent::Failed:
            // Said where the user looks, at once: not "播放完毕" at the next tick.
            return playback.Failed(player.FailureText());
    }
}

void PlayStatusMonitor::NotePosition() {
    const Player& player = parts_.player;
    parts_.playback.NotePosition(player.Position(), player.Duration(), player.DownloadProgress());
}

void PlayStatusMonitor::ShowStripOnce() {
    stripShownForWork_ = false;  // it stays from now on
    if (stripShown_) return;
    stripShown_ = true;
    parts_.controls.SetVisible({ControlName::StatusStrip}, true);
}

// Between ticks: the bit rate once the player knows it, else the plain text
// the bar's own play button shows.
void PlayStatusMonitor::ShowPlayingNow() {
    if (parts_.player.BitRate() > 0) return ShowPlayingText(0);
    parts_.playback.ShowStatus("正在播放");
}

void PlayStatusMonitor::NextEpisodeFound() {
    if (!ItemHasEnded() || parts_.endOfPlay.IsEnabled()) return;  // the end of play takes it up
    if (!parts_.options.IsOn(Option::AutoPlayNext)) return;
    parts_.statusTick.SetEnabled(false);
    parts_.controls.SetVisible({ControlName::NextEpisodeNotice}, true);
    PlayOnOrResumeTicking();
}

void PlayStatusMonitor::KeepPositionSafe() {
    if (parts_.player.PlayState() != PlayerState::Playing) return;
    if (++playingSeconds_ < kPositionSaveSeconds) return;
    playingSeconds_ = 0;
    parts_.playback.StorePlace();
}

void PlayStatusMonitor::ShowStatus() {
    Player& player = parts_.player;
    if (player.PlayUrl().empty()) return ShowNothingLoaded();
    if (!parts_.playback.Area().ShowsPlayer()) return;  // the page player says nothing to the bar
    ShowStripOnce();
    // An item that has ended resumes at 1 (set at its end), not at its end.
    if (!ItemHasEnded()) parts_.playback.NotePlace(player.Position());
    if (CheckEndEndsTick()) return;
    const int speed = player.DownloadSpeed();
    Preload();
    const PlayerState state = player.PlayState();
    if (state == PlayerState::Playing) ShowPlaying(speed);
    ShowState(state, speed);
    if (const std::string failure = player.FailureText(); !failure.empty()) parts_.playback.ShowStatus(failure);
    NotePosition();
}

void PlayStatusMonitor::ShowNothingLoaded() {
    Playback& playback = parts_.playback;
    // A refusal's message stands until something starts.
    if (playback.Area().phase == PlayPhase::Nothing && playback.ItemNumber() > 0 && playback.Session().item.kind == ItemKind::None)
        return;
    playback.ShowStatus(backgroundWork_.empty() ? "准备就绪" : backgroundWork_);
}

void PlayStatusMonitor::ShowNotice(const std::string& text, int seconds) {
    notice_ = text;
    noticeTicksLeft_ = seconds;
    noticeItem_ = parts_.playback.ItemNumber();
    parts_.playback.ShowStatus(text, true);
}

void PlayStatusMonitor::ShowBackgroundWork(const std::string& text) {
    backgroundWork_ = text;
    if (!parts_.player.PlayUrl().empty()) return;  // the player's state keeps the line
    // The strip shows from the first play on; the work shows in it before.
    if (!text.empty() && !stripShown_) {
        stripShown_ = stripShownForWork_ = true;
        parts_.controls.SetVisible({ControlName::StatusStrip}, true);
    } else if (text.empty() && stripShownForWork_) {
        stripShown_ = stripShownForWork_ = false;
        parts_.controls.SetVisible({ControlName::StatusStrip}, false);
    }
    ShowNothingLoaded();
}

bool PlayStatusMonitor::ItemHasEnded() const { return parts_.playback.HasEnded() && NearTheEnd(); }

bool PlayStatusMonitor::NearTheEnd() const {
    const Player& player = parts_.player;
    // The credits may be where the end of play comes, when the person wants them skipped.
    const std::optional<double>& playOnAt = parts_.playback.Session().playOnAt;
    if (playOnAt && player.ExactPosition() + kLateness >= *playOnAt && player.Position() > 0) return true;
    return NearTheFileEnd();
}

bool PlayStatusMonitor::NearTheFileEnd() const {
    const Player& player = parts_.player;
    return player.Position() > player.Duration() - 2 && player.Position() > 0;
}

// Asked at the moment the credits start: the player's reported position
// may still lag it by a frame or two, so the end of play begins here
// without asking where the play is.
void PlayStatusMonitor::EndNow() {
    Playback& playback = parts_.playback;
    if (parts_.endOfPlay.IsEnabled() || playback.HasEnded()) return;
    if (parts_.player.PlayState() == PlayerState::Paused) return;  // the end waits for play
    parts_.endOfPlay.SetEnabled(true);
    if (BalloonsWanted() && playback.Session().next.IsReady()) parts_.showTrayTip("正在准备播放下一集！");
    // The credits were skipped before the download ahead was due: the
    // notice's seconds fetch the next episode meanwhile.
    Preload(true);
}

void PlayStatusMonitor::CancelEnd() {
    parts_.endOfPlay.SetEnabled(false);
    parts_.controls.SetVisible({ControlName::NextEpisodeNotice}, false);
    parts_.playback.PlayOnAt(std::nullopt);
    parts_.playback.LeftTheEnd();
    parts_.statusTick.SetEnabled(true);
}

bool PlayStatusMonitor::CheckEndEndsTick() {
    Playback& playback = parts_.playback;
    if (!NearTheEnd()) {
        playback.LeftTheEnd();  // playing again (replayed or sought back) or the next item
        return false;
    }
    Player& player = parts_.player;
    // Once ended, the bar stays as the end of play left it: it runs once an
    // item. (The next item, if short, may be near its end at its first tick.)
    if (playback.HasEnded()) return true;
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
    if (endJustCame && playback.Session().next.IsReady())
        parts_.showTrayTip("正在准备播放下一集！");  // once an item, not every second
    return false;
}

void PlayStatusMonitor::Preload(bool now) {
    Player& player = parts_.player;
    NextEpisode next = parts_.playback.Session().next;
    const bool due = now || player.DownloadProgress() > kPreloadThreshold;
    if (!due || next.media == NextEpisode::Media::None || next.preloadStarted) return;
    if (next.media == NextEpisode::Media::Known) {
        player.PreloadUrl(next.mediaAddress);
        next.preloadStarted = true;
        parts_.playback.LearnNext(next);
        if (BalloonsWanted()) parts_.showTrayTip("开始缓冲下一集！");
    } else {
        parts_.lookUpNextEpisode();
    }
}

void PlayStatusMonitor::ShowPlaying(int speed) {
    parts_.controls.SetVisible({ControlName::NextEpisodeNotice}, false);
    parts_.playback.PlayingAt(parts_.player.Position());
    ShowPlayingText(speed);
}

void PlayStatusMonitor::ShowPlayingText(int speed) {
    const Player& player = parts_.player;
    const std::string text = speed >= 1 && player.Position() > 6 ? "播放中(" + std::to_string(speed) + " Kbps/S)"
                                                                 : "播放中(" + std::to_string(player.BitRate()) + " Kbps)";
    parts_.playback.ShowStatus(text);
}

// Nothing plays: nothing was loaded, the item ended, or it could not play.
std::string PlayStatusMonitor::IdleText() const {
    const Player& player = parts_.player;
    const std::string failure = player.FailureText();
    if (!failure.empty()) return failure;
    // A new item the player has not begun to read yet has not ended.
    const PlayPhase phase = parts_.playback.Area().phase;
    if (phase == PlayPhase::Starting) return parts_.playback.Area().status;
    return "播放完毕";
}

void PlayStatusMonitor::ShowState(PlayerState state, int speed) {
    Playback& playback = parts_.playback;
    if (state != PlayerState::Playing) {
        const bool advert = (state == PlayerState::Paused || state == PlayerState::Connecting) && parts_.ads.player == AdPane::Shown;
        playback.ShowAdvert(advert);
        // Paused, the picture stays in view (the advert panel over it when switched on).
        playback.ShowCover(state != PlayerState::Paused);
    }
    const std::string kbps = std::to_string(speed);
    switch (state) {
        case PlayerState::Idle: playback.NothingPlays(); playback.ShowStatus(IdleText()); break;
        case PlayerState::Stopped: playback.NothingPlays(); playback.ShowStatus("已停止"); break;
        case PlayerState::Paused: playback.PausedShown(); playback.ShowStatus("已暂停"); break;
        case PlayerState::Buffering: playback.ShowStatus("正在缓冲 (" + kbps + "Kbps/S)"); break;
        case PlayerState::Ended: playback.ShowStatus("播放结束"); break;  // the button keeps its look
        case PlayerState::Preparing: playback.ShowStatus("准备读"); break;
        case PlayerState::Connecting: playback.ShowStatus("正在连接 (" + kbps + "KB/S)"); break;
        case PlayerState::Playing: break;  // the tick wrote the line with the bit rate
    }
}

void PlayStatusMonitor::EndOfPlayTick() {
    parts_.followPlay();  // the item has ended; the next one asks again
    Playback& playback = parts_.playback;
    playback.EndItem();
    const NextEpisode& next = playback.Session().next;
    if (next.kind != NextEpisode::Kind::RetryDue) {
        if (!next.IsReady()) return;
        parts_.statusTick.SetEnabled(false);
        parts_.controls.SetVisible({ControlName::NextEpisodeNotice}, true);
    }
    PlayOnOrResumeTicking();
}

void PlayStatusMonitor::PlayOnOrResumeTicking() {
    if (!parts_.options.IsOn(Option::AutoPlayNext)) {
        parts_.statusTick.SetEnabled(true);
        return;
    }
    parts_.playback.PlayOn();
}

}  // namespace ruvo
