#include "playback/PlayerMemory.h"

#include <string>

#include "app/SettingsFile.h"
#include "base/NumberText.h"
#include "playback/TransportControls.h"
#include "portal/MainWindow.h"

namespace ruvo {

void PlayerMemory::Restore() {
    const std::string& settings = window_.State().settingsPath;
    Player& player = window_.PlayerControl();
    const std::string volume = ReadSetting(settings, kPlayerSection, kVolumeKey, "");
    if (!volume.empty() && IsNumberText(volume)) player.SetVolume(TextToInt(volume));
    if (ReadSetting(settings, kPlayerSection, kMuteKey, "") == "1" && !!window_.Transport().SoundOn()) window_.Transport().Click(2);
    volume_ = player.Volume();
    muted_ = !window_.Transport().SoundOn() ? 1 : 0;
}

void PlayerMemory::RememberChanges() {
    const std::string& settings = window_.State().settingsPath;
    const int volume = window_.PlayerControl().Volume();
    if (volume_ >= 0 && volume != volume_) WriteSetting(settings, kPlayerSection, kVolumeKey, std::to_string(volume));
    volume_ = volume;
    const int muted = !window_.Transport().SoundOn() ? 1 : 0;
    if (muted_ >= 0 && muted != muted_) WriteSetting(settings, kPlayerSection, kMuteKey, std::to_string(muted));
    muted_ = muted;
}

}  // namespace ruvo
