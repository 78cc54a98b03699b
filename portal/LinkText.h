#pragma once
// Taking the program's private links apart.
#include <string>
#include <string_view>

#include "base/SplitText.h"

namespace ruvo {

// The end-of-play signal: an address on a host that exists nowhere (".invalid"
// is reserved), recognised by its scheme-and-host prefix.
inline constexpr std::string_view kEndOfPlayUrl = "http://end-of-play.ruvo-box.invalid/next";
inline constexpr std::string_view kEndOfPlayPrefix = "http://end-of-play.ruvo-box.invalid";

// Removes every occurrence of the scheme text, then one trailing "/". For
// "eeshow://" no "/" is removed and one is put in front when missing.
std::string TrimLink(std::string_view url, std::string_view scheme);

bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);

}  // namespace ruvo
