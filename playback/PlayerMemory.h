#pragma once
// The player's volume and mute outlive the run. Their keys are written only
// once the user changed them, so a first-run settings file stays as it was.

#include <optional>

#include "config/SettingsFile.h"
#include "platform/Player.h"

namespace ruvo {

class TransportControls;

// Section and keys in config.dll.
inline constexpr const char* kPlayerSection = "Player";
inline constexpr const char* kVolumeKey = "Volume";  // 0-100
inline constexpr const char* kMuteKey = "Mute";      // "1" sound off, "0" on

class PlayerMemory {
public:
    PlayerMemory(Player& player, TransportControls& bar, SettingsFile& settings)
        : player_(player), bar_(bar), settings_(settings) {}

    // At load: the remembered volume and mute, where there are any.
    void Restore();
    // Writes what changed since the last look.
    void RememberChanges();

private:
    Player& player_;
    TransportControls& bar_;
    SettingsFile& settings_;
    // As last written or read; nothing before the first look.
    std::optional<int> volume_;
    std::optional<bool> muted_;
};

}  // namespace ruvo
