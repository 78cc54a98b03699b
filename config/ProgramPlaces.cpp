#include "config/ProgramPlaces.h"

#include <cstdio>

#include "config/FileSystem.h"
#include "config/PlayableAddress.h"
#include "config/SettingsKeys.h"

namespace ruvo {
namespace {

constexpr const char* kRememberedPortalFile = "portal";
constexpr size_t kAddressLimit = 8u << 10;

// A folder the program may keep its files in when only this user may change it.
bool IsPrivateWritableFolder(const std::string& folder) {
    if (!IsWritableFolder(folder)) return false;
    // Others could plant lists, pages or a helper program in such a folder.
    if (!OthersMayChange(folder)) return true;
    std::fprintf(stderr, "ruvo-box: %s may be changed by other users; the program keeps its files in the data folder\n",
                 folder.c_str());
    return false;
}

}  // namespace

PortalAddress PortalFrom(const char* portalVariable) {
    PortalAddress portal;
    portal.base = portalVariable && *portalVariable ? portalVariable : kDefaultPortalBase;
    if (portal.base.back() != '/') portal.base += '/';
    const size_t scheme = portal.base.find("://");
    const size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
    portal.root = portal.base.substr(0, portal.base.find('/', hostStart));
    return portal;
}

PortalChoice ChoosePortal(const char* portalVariable, const std::optional<std::string>& remembered) {
    if (portalVariable && *portalVariable) return {PortalFrom(portalVariable), false};
    if (remembered) return {PortalFrom(remembered->c_str()), false};
    return {PortalFrom(nullptr), true};
}

std::optional<std::string> ReadRememberedPortal(const std::string& configFolder) {
    if (configFolder.empty()) return std::nullopt;
    auto text = ReadWholeFile(JoinPath(configFolder, kRememberedPortalFile), kAddressLimit);
    if (!text) return std::nullopt;
    while (!text->empty() && (text->back() == '\n' || text->back() == '\r' || text->back() == ' ')) text->pop_back();
    if (!IsWebAddress(*text) || text->find_first_of("\r\n") != std::string::npos) return std::nullopt;
    return text;
}

bool RememberPortal(const std::string& configFolder, const std::string& address) {
    if (configFolder.empty()) return false;
    const std::string file = JoinPath(configFolder, kRememberedPortalFile);
    if (address.empty()) return RemoveFile(file);
    return MakeFolders(configFolder) && ReplaceFileAtomically(file, address + "\n");
}

std::string ChooseProgramFolder(const FolderChoices& choices) {
    if (choices.ruvoHome && *choices.ruvoHome) return choices.ruvoHome;
    const std::string& beside = choices.executableFolder;
    // A folder the program already kept its files in stays theirs: its user
    // keeps the lists.
    const bool portable = PathExists(JoinPath(beside, kPortableMarker)) || PathExists(JoinPath(beside, kSettingsFileName));
    if (!beside.empty() && portable && IsPrivateWritableFolder(beside)) return beside;
    const std::string data = UserFolder(choices.xdgDataHome, choices.home, ".local/share");
    return data.empty() ? ".local/share/ruvo-box" : data;  // no home: beside the working folder, as ever
}

std::string UserFolder(const char* xdgValue, const char* home, const char* fallbackUnderHome) {
    if (xdgValue && *xdgValue == '/') return JoinPath(xdgValue, "ruvo-box");
    if (!home || *home != '/') return {};
    return JoinPath(JoinPath(home, fallbackUnderHome), "ruvo-box");
}

}  // namespace ruvo
