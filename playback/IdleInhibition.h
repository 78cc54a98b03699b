#pragma once
// The screen stays awake while a video plays, in the player or the page
// player, and may sleep again on pause, stop, end and exit.

#include "platform/IdleInhibitor.h"
#include "platform/Player.h"
#include "playback/Playback.h"

namespace ruvo {

inline constexpr const char* kIdleReason = "正在播放视频";

class IdleInhibition {
public:
    // It follows the player area as the owner of what plays publishes it.
    IdleInhibition(IdleInhibitor& service, const Player& player, Playback& playback);

    // Asks for or gives back the inhibition to match what plays now.
    void Update();
    // Gives it back whatever plays (the exit).
    void Release();
    // True while asked for (whether or not a service answered).
    bool Held() const { return held_; }

private:
    bool VideoPlays() const;

    IdleInhibitor& service_;
    const Player& player_;
    const Playback& playback_;
    bool held_ = false;
};

}  // namespace ruvo
