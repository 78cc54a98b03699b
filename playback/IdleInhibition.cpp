#include "playback/IdleInhibition.h"

namespace ruvo {

IdleInhibition::IdleInhibition(IdleInhibitor& service, const Player& player, Playback& playback)
    : service_(service), player_(player), playback_(playback) {
    playback.Subscribe([this](const PlayerArea&, const PlayerArea&) { Update(); });
}

bool IdleInhibition::VideoPlays() const {
    // The page player shows its item while its box is up; its own pause
    // is not visible to the program.
    if (playback_.Area().ShowsPagePlayer()) return true;
    return player_.PlayState() == PlayerState::Playing;
}

void IdleInhibition::Update() {
    const bool wanted = VideoPlays();
    if (wanted == held_) return;
    if (!wanted) return Release();
    // Asked once per play, answered or not: no service is asked every second.
    service_.Inhibit(kIdleReason);
    held_ = true;
}

void IdleInhibition::Release() {
    if (!held_) return;
    service_.Release();
    held_ = false;
}

}  // namespace ruvo
