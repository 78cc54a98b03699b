#pragma once
// The screen stays awake while a video plays, in the player or the page
// player, and may sleep again on pause, stop, end and exit.

namespace ruvo {

class MainWindow;

inline constexpr const char* kIdleReason = "正在播放视频";

class IdleInhibition {
public:
    explicit IdleInhibition(MainWindow& window) : window_(window) {}

    // Asks for or gives back the inhibition to match what plays now.
    void Update();
    // Gives it back whatever plays (the exit).
    void Release();
    // True while asked for (whether or not a service answered).
    bool Held() const { return held_; }

private:
    bool VideoPlays();

    MainWindow& window_;
    bool held_ = false;
};

}  // namespace ruvo
