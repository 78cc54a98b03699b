#pragma once
// The player's own folder and its configuration file "QvodPlayer.xml", which
// holds the download folder as its "Defaultsavepath" attribute.
#include <string>

#include "config/SettingsFile.h"

namespace ruvo {

inline constexpr const char* kPlayerConfigFile = "QvodPlayer.xml";

// Creates <program folder>/player/ with a QvodPlayer.xml naming
// <program folder>/downloads/ as the download folder, when they are missing.
// Returns the player folder with its trailing "/".
std::string EnsureOwnPlayerFolder(const std::string& programFolder);

// The download folder named in <player folder>QvodPlayer.xml; "" when the
// file or the attribute is missing.
std::string ReadQvodSavePath(const std::string& playerFolder);

// The download folder the settings point at: the "qvodw" player folder's
// save path; "" when none is known.
std::string DownloadFolderOf(SettingsFile& settings);

// The name a download of `url` is stored under: a hash of the whole address
// (so two addresses never share a file) and the address's own file name.
std::string DownloadFileName(const std::string& url);

}  // namespace ruvo
