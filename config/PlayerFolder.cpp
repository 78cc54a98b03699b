#include "config/PlayerFolder.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "base/PathText.h"
#include "base/TextBetween.h"
#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "config/TextFile.h"

namespace ruvo {

std::string EnsureOwnPlayerFolder(const std::string& programFolder) {
    const std::string playerFolder = JoinPath(programFolder, "player") + "/";
    const std::string downloads = JoinPath(programFolder, "downloads") + "/";
    MakeFolders(playerFolder);
    MakeFolders(downloads);
    const std::string config = playerFolder + kPlayerConfigFile;
    if (!PathExists(config))
        WriteTextFile(config, "<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n<QvodPlayer Defaultsavepath=\"" + downloads +
                                  "\" />\r\n");
    return playerFolder;
}

std::string ReadQvodSavePath(const std::string& playerFolder) {
    const auto lines = ReadTextFileLines(playerFolder + kPlayerConfigFile);
    if (!lines) return {};
    std::string text;
    for (const auto& line : *lines) text += line + "\r\n";
    return TextBetween(text, "Defaultsavepath=\"", "\"", BetweenMode::InsideMarkers);
}

std::string DownloadFolderOf(SettingsFile& settings) {
    const std::string playerFolder = settings.Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (playerFolder.empty() || playerFolder == "0") return {};
    return ReadQvodSavePath(playerFolder);
}

std::string DownloadFileName(const std::string& url) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : url) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    std::string name = FileNameOfPath(url.substr(0, url.find_first_of("?#")));
    for (char& c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_')) c = '_';
    if (name.size() > 80) name = name.substr(name.size() - 80);
    char prefix[20];
    std::snprintf(prefix, sizeof prefix, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(prefix) + "-" + (name.empty() ? "media" : name);
}

}  // namespace ruvo
