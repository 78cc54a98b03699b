#include "app/ProgramPlaces.h"

#include <cstdio>

#include "platform/FileSystem.h"

namespace ruvo {

PortalAddress PortalFrom(const char* portalVariable) {
    PortalAddress portal;
    portal.base = portalVariable && *portalVariable ? portalVariable : kDefaultPortalBase;
    if (portal.base.back() != '/') portal.base += '/';
    const size_t scheme = portal.base.find("://");
    const size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
    portal.root = portal.base.substr(0, portal.base.find('/', hostStart));
    return portal;
}

std::string ChooseProgramFolder(const FolderChoices& choices) {
    if (choices.ruvoHome && *choices.ruvoHome) return choices.ruvoHome;
    if (IsWritableFolder(choices.executableFolder)) {
        // Others could plant lists, pages or a helper program in such a folder.
        if (!OthersMayChange(choices.executableFolder)) return choices.executableFolder;
        std::fprintf(stderr, "ruvo-box: %s may be changed by other users; the program keeps its files in the data folder\n",
                     choices.executableFolder.c_str());
    }
    if (choices.xdgDataHome && *choices.xdgDataHome) return JoinPath(choices.xdgDataHome, "ruvo-box");
    return JoinPath(JoinPath(choices.home ? choices.home : "", ".local/share"), "ruvo-box");
}

}  // namespace ruvo
