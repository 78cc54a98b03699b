#include "playback/PlayerMemory.h"

#include <string>

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "playback/TransportControls.h"

namespace ruvo {

void PlayerMemory::Restore() {
    const std::string volume = settings_.Read(kPlayerSection, kVolumeKey, "");
    if (!volume.empty() && IsNumberText(volume)) player_.SetVolume(TextToInt(volume));
    if (settings_.Read(kPlayerSection, kMuteKey, "") == "1" && bar_.SoundOn()) bar_.ToggleMute();
    volume_ = player_.Volume();
    muted_ = !bar_.SoundOn();
}

void PlayerMemory::RememberChanges() {
    const int volume = player_.Volume();
    if (volume_ && volume != *volume_) settings_.Write(kPlayerSection, kVolumeKey, std::to_string(volume));
    volume_ = volume;
    const bool muted = !bar_.SoundOn();
    if (muted_ && muted != *muted_) settings_.Write(kPlayerSection, kMuteKey, muted ? "1" : "0");
    muted_ = muted;
}

}  // namespace ruvo
