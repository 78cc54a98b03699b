#pragma once
// Taking the program's private links apart.
#include <string>
#include <string_view>

#include "base/SplitText.h"

namespace ruvo {

// Removes every occurrence of the scheme text, then one trailing "/". For
// "eeshow://" no "/" is removed and one is put in front when missing.
std::string TrimLink(std::string_view url, std::string_view scheme);

bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);

}  // namespace ruvo
