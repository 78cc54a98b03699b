#pragma once
// The play-status monitor: once a second (Timer1) it mirrors the player in the
// player bar (status text, play/pause look, time label, seek knob, downloaded
// share), resumes at a saved position, starts the next episode's download
// ahead of time and notices the end; two seconds later (Timer2) it finishes
// the item and hands over to the link dispatcher, which plays the next one.

namespace ruvo {

class MainWindow;

// Per mille of the media that must be downloaded before the next episode is
// fetched and preloaded.
inline constexpr int kPreloadThreshold = 601;

class PlayStatusMonitor {
public:
    explicit PlayStatusMonitor(MainWindow& window) : window_(window) {}

    void StatusTick();     // Timer1
    void EndOfPlayTick();  // Timer2

private:
    void ShowNothingLoaded();
    // Starts the end-of-play timer near the end; true when the tick stops there.
    bool CheckEndEndsTick();
    void Preload();
    void ShowPlaying(int speed);
    void ShowState(int state, int speed);
    void DrawProgress();
    bool BalloonsWanted() const;

    MainWindow& window_;
};

}  // namespace ruvo
