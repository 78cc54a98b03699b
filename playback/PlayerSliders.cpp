#include "playback/PlayerSliders.h"

#include <algorithm>
#include <cmath>

#include "playback/PlayerMemory.h"
#include "playback/Playback.h"
#include "playback/TransportControls.h"

namespace ruvo {

void PlayerSliders::SeekLetGo(SeekRelease where, double share) {
    Player& player = player_;
    double target = share * player.Duration();
    if (where != SeekRelease::OverTrack) target -= 2;
    target = std::clamp(target, -2147483648.0, 2147483647.0);
    player.SetPosition(static_cast<int>(std::nearbyint(target)));  // halves to the even number
    if (player.Duration() < player.Position()) player.SetPosition(player.Duration() - 2);
    playback_.SoughtTo(player.Position());
}

void PlayerSliders::SetVolume(int percent) {
    Player& player = player_;
    bar_.Unmute();
    player.SetVolume(std::clamp(percent, 0, 100));
    DrawVolume(player.Volume());
    showNotice_("音量：" + std::to_string(player.Volume()) + "%");
    memory_.RememberChanges();
}

void PlayerSliders::DrawVolume(int volume) {
    controls_.SetSliderValue({ControlName::VolumeTrack}, {volume, 100});
    controls_.SetTooltip({ControlName::VolumeKnob}, std::to_string(volume));
}

}  // namespace ruvo
