#include "playback/PlayerMemory.h"

#include <string>

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "playback/TransportControls.h"
#include "portal/MainWindow.h"

namespace ruvo {

void PlayerMemory::Restore() {
    SettingsFile& settings = window_.StoredSettings();
    Player& player = window_.PlayerControl();
    const std::string volume = settings.Read(kPlayerSection, kVolumeKey, "");
    if (!volume.empty() && IsNumberText(volume)) player.SetVolume(TextToInt(volume));
    if (settings.Read(kPlayerSection, kMuteKey, "") == "1" && window_.Transport().SoundOn()) window_.Transport().ToggleMute();
    volume_ = player.Volume();
    muted_ = !window_.Transport().SoundOn() ? 1 : 0;
}

void PlayerMemory::RememberChanges() {
    SettingsFile& settings = window_.StoredSettings();
    const int volume = window_.PlayerControl().Volume();
    if (volume_ >= 0 && volume != volume_) settings.Write(kPlayerSection, kVolumeKey, std::to_string(volume));
    volume_ = volume;
    const int muted = !window_.Transport().SoundOn() ? 1 : 0;
    if (muted_ >= 0 && muted != muted_) settings.Write(kPlayerSection, kMuteKey, std::to_string(muted));
    muted_ = muted;
}

}  // namespace ruvo
