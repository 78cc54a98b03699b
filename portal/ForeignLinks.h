#pragma once
// Links that leave the portal: a click on an ordinary link to another site
// opens it in the user's browser, never inside a pane that has no way back.
#include <string_view>

#include "config/ProgramPlaces.h"

namespace ruvo {

// True for an http(s) address on another scheme-and-host than the portal's.
bool LeavesPortal(std::string_view url, const PortalAddress& portal);

}  // namespace ruvo
