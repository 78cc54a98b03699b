#pragma once
// Where the program keeps its files and which portal it talks to.
#include <string>

namespace ruvo {

// The built-in portal: the demo portal's address, as the run command starts it.
inline constexpr const char* kDefaultPortalBase = "http://127.0.0.1:8790/box/";

struct PortalAddress {
    std::string base;  // ends with "/"; every relative portal path is appended to it
    std::string root;  // scheme and host, no path: title pages and the help page
};

// From the RUVO_PORTAL value (null or empty: the built-in default). A "/" is
// added when the value lacks one.
PortalAddress PortalFrom(const char* portalVariable);

struct FolderChoices {
    const char* ruvoHome = nullptr;     // RUVO_HOME, overrides everything
    std::string executableFolder;       // used when writable, by this user alone
    const char* xdgDataHome = nullptr;  // XDG_DATA_HOME
    const char* home = nullptr;         // HOME, for the XDG default
};

// The program folder: RUVO_HOME when set, else the executable's folder when it
// is writable, else "$XDG_DATA_HOME/ruvo-box" (~/.local/share/ruvo-box).
std::string ChooseProgramFolder(const FolderChoices& choices);

}  // namespace ruvo
