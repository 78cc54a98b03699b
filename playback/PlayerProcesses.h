#pragma once
// Keeping the player's helper programs in line with the user's options.
#include <string>

#include "config/SettingsFile.h"

namespace ruvo {

// Once shortly after start (the player-start check): learns the player's
// folder into `playerFolder` and stores it as "qvodw". This program's player
// is a library with no application or download service of its own to close
// or start; its folder is the program's own player folder, which holds
// QvodPlayer.xml with the download folder.
void StorePlayerFolder(std::string& playerFolder, const std::string& programFolder, SettingsFile& settings);

}  // namespace ruvo
