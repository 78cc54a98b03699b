#pragma once
// Where the program keeps its files and which portal it talks to.
#include <optional>
#include <string>

namespace ruvo {

// The built-in portal: the demo portal's address, as the run command starts it.
inline constexpr const char* kDefaultPortalBase = "http://127.0.0.1:8790/box/";
inline constexpr unsigned short kDefaultPortalPort = 8790;

// A file of this name beside the executable makes a portable copy (a build
// folder has one): the executable's folder is then the program folder.
inline constexpr const char* kPortableMarker = "portable";

struct PortalAddress {
    std::string base;  // ends with "/"; every relative portal path is appended to it
    std::string root;  // scheme and host, no path: title pages and the help page
};

// From the RUVO_PORTAL value (null or empty: the built-in default). A "/" is
// added when the value lacks one.
PortalAddress PortalFrom(const char* portalVariable);

struct PortalChoice {
    PortalAddress address;
    bool builtIn = false;  // neither RUVO_PORTAL nor a remembered --portal names one
};

// RUVO_PORTAL for this start, else the address --portal remembered, else the
// built-in one.
PortalChoice ChoosePortal(const char* portalVariable, const std::optional<std::string>& remembered);

// The address remembered in `configFolder`'s "portal" file: nothing when
// there is none or it is not an http(s) address.
std::optional<std::string> ReadRememberedPortal(const std::string& configFolder);

// Remembers `address` until changed; an empty one forgets it. False when the
// file could not be written or removed.
bool RememberPortal(const std::string& configFolder, const std::string& address);

struct FolderChoices {
    const char* ruvoHome = nullptr;     // RUVO_HOME, overrides everything
    std::string executableFolder;       // used by a portable copy
    const char* xdgDataHome = nullptr;  // XDG_DATA_HOME
    const char* home = nullptr;         // HOME, for the XDG default
};

// The program folder: RUVO_HOME when set; else the executable's folder for a
// portable copy (the marker file beside it) and for a folder that already
// holds the program's settings, when only this user may change it; else
// "$XDG_DATA_HOME/ruvo-box" (~/.local/share/ruvo-box). An installed program
// never writes beside its executable.
std::string ChooseProgramFolder(const FolderChoices& choices);

// "$XDG_<kind>_HOME/ruvo-box", or "$HOME/<fallback>/ruvo-box" when that
// variable is unset or not an absolute path (as the XDG rules say); empty
// without either.
std::string UserFolder(const char* xdgValue, const char* home, const char* fallbackUnderHome);

}  // namespace ruvo
