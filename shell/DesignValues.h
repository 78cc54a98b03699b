#pragma once
// The main window's controls as designed: their first texts, tooltips and
// which boxes show. Several of these tooltips are states the code reads back.
#include "platform/WindowControls.h"

namespace ruvo {

inline constexpr const char* kSearchHint = "请输入电影名称、主演";

void ApplyDesignValues(WindowControls& controls);

}  // namespace ruvo
