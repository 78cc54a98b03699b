#include "playback/PlayerProcesses.h"

#include "config/PlayerFolder.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"

namespace ruvo {

void StorePlayerFolder(std::string& playerFolder, const std::string& programFolder, SettingsFile& settings) {
    if (playerFolder.empty()) playerFolder = EnsureOwnPlayerFolder(programFolder);
    if (playerFolder.empty()) return;
    settings.Write(kPlayerFolder.section, kPlayerFolder.key, playerFolder);
}

}  // namespace ruvo
