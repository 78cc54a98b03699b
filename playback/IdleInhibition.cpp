#include "playback/IdleInhibition.h"

#include "portal/MainWindow.h"

namespace ruvo {

bool IdleInhibition::VideoPlays() {
    // The page player shows its item while its box is up; its own pause
    // is not visible to the program.
    if (window_.Session().inPagePlayer && window_.Controls().IsVisible({ControlName::PagePlayerBox})) return true;
    return window_.PlayerControl().PlayState() == kPlayPlaying;
}

void IdleInhibition::Update() {
    const bool wanted = VideoPlays();
    if (wanted == held_) return;
    if (!wanted) return Release();
    // Asked once per play, answered or not: no service is asked every second.
    window_.Idle().Inhibit(kIdleReason);
    held_ = true;
}

void IdleInhibition::Release() {
    if (!held_) return;
    window_.Idle().Release();
    held_ = false;
}

}  // namespace ruvo
