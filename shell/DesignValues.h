#pragma once
// The main window's controls as designed: their first texts, tooltips and
// which boxes show. Several of these tooltips are states the code reads back.
#include <array>

#include "platform/WindowControls.h"

namespace ruvo {

inline constexpr const char* kSearchHint = "请输入电影名称、主演";
inline constexpr const char* kWindowCaption = "Ruvo电影影视盒";
// The title label shows the caption and this.
inline constexpr const char* kVersionSuffix = " 1.0";
// Transport button k rests with picture k of this list from the player bar's images.
inline constexpr std::array<int, 8> kTransportRestingPictures{2, 3, 7, 11, 0, 14, 16, 18};

void ApplyDesignValues(WindowControls& controls);

}  // namespace ruvo
