#pragma once
// The main window's controls as designed: their first texts, tooltips and
// which boxes show.

#include "view/WindowView.h"
#include "portal/SearchBox.h"

namespace ruvo {

inline constexpr const char* kWindowCaption = "Ruvo电影影视盒";
// The title label shows the caption and this.
inline constexpr const char* kVersionSuffix = " 1.0";

void ApplyDesignValues(WindowView& controls);

}  // namespace ruvo
