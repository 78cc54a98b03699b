#pragma once
// The tray icon's texts keep the lengths of their legacy fields: a tooltip
// of 127 bytes and a balloon of 255 bytes in the legacy code page.
#include <string>
#include <string_view>

namespace ruvo {

inline constexpr size_t kTrayTooltipBytes = 127;
inline constexpr size_t kTrayBalloonBytes = 255;

// The longest prefix of `text`, whole characters only, whose legacy
// encoding takes at most `maxBytes` bytes.
std::string CutToLegacyBytes(std::string_view text, size_t maxBytes);

}  // namespace ruvo
