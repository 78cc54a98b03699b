#pragma once
// The play-status monitor: once a second (the status tick) it mirrors the player in the
// player bar (status text, play/pause look, time label, seek knob, downloaded
// share), resumes at a saved position, starts the next episode's download
// ahead of time and notices the end; two seconds later (the end-of-play timer) it finishes
// the item and plays the next one.

#include <functional>
#include <string>

#include "config/UserOptions.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "view/WindowView.h"
#include "playback/Playback.h"
#include "promo/AdPane.h"

namespace ruvo {


// Per mille of the media that must be downloaded before the next episode is
// fetched and preloaded.
inline constexpr int kPreloadThreshold = 601;
// While an item of the lists plays, its position is stored this often, so a
// crash or power loss loses at most this much of it.
inline constexpr int kPositionSaveSeconds = 30;

class PlayStatusMonitor {
public:
    // What it watches, the owner of what plays it tells, the settings it
    // follows (balloons, play on), its two timers, and calls into the parts
    // it keeps in step.
    struct Parts {
        Player& player;
        Playback& playback;
        const AdPanes& ads;
        WindowView& controls;
        const UserOptions& options;
        Timer& statusTick;
        Timer& endOfPlay;
        // After each tick and at the end: the screen saver and the
        // remembered volume follow what plays.
        std::function<void()> followPlay;
        std::function<void(const std::string&)> showTrayTip;
        std::function<void()> lookUpNextEpisode;
    };
    explicit PlayStatusMonitor(Parts parts) : parts_(std::move(parts)) {}

    void StatusTick();
    void EndOfPlayTick();
    // What the player reports shows at once: its first frame lifts the
    // cover, a pause, a resume, buffering, a seek and each new second change
    // the bar and the status line, and the end is noticed when the player
    // reaches it.
    void PlayerReported(PlayerEvent event);
    // The next episode became known: an item that has ended waiting for it
    // plays on now.
    void NextEpisodeFound();

    // Work the program does in the background before anything can play (the
    // demo's media being made): shown instead of "准备就绪" while nothing
    // plays; empty when done.
    void ShowBackgroundWork(const std::string& text);
    // A change the user just made ("音量：50%"): it holds the status line
    // through the next ticks, some `seconds`.
    void ShowNotice(const std::string& text, int seconds = 2);
    // The end of play now, as at the item's end: the notice, then the next
    // episode (the credits skipped).
    void EndNow();
    // Calls off an end of play under way before the file's end: the item plays on.
    void CancelEnd();

private:
    void ShowStatus();
    void KeepPositionSafe();
    void ShowNothingLoaded();
    // In the last two seconds of the item (or past them), or past where its
    // end of play comes (the credits).
    bool NearTheEnd() const;
    bool NearTheFileEnd() const;
    // Starts the end-of-play timer near the end; true when the tick stops there.
    bool CheckEndEndsTick();
    // Downloads the next episode ahead once enough of this one is at hand, or `now`.
    void Preload(bool now = false);
    void ShowPlaying(int speed);
    void ShowPlayingText(int speed);
    void ShowPlayingNow();
    void ShowState(PlayerState state, int speed);
    void ShowStripOnce();
    void NotePosition();
    std::string IdleText() const;
    bool BalloonsWanted() const;
    bool NoticeShows() const;
    // After the end: the next episode when the user wants it played on and
    // it is known, else the status tick again (it retries a failed look-up).
    void PlayOnOrResumeTicking();

    // True from the end-of-play tick until the item plays again: the
    // player keeps its last frame and reports the end as its position.
    bool ItemHasEnded() const;

    Parts parts_;
    int playingSeconds_ = 0;  // since the position was last stored
    std::string backgroundWork_;
    bool stripShown_ = false;         // the status strip shows (hidden until first needed)
    bool stripShownForWork_ = false;  // it shows for the background work alone
    std::string notice_;
    int noticeTicksLeft_ = 0;
    int noticeItem_ = 0;  // the item the notice came with: a new item drops it
};

}  // namespace ruvo
