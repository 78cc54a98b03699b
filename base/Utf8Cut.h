#pragma once
// Shortening UTF-8 text without cutting a character in two.
#include <cstddef>
#include <string>
#include <string_view>

namespace ruvo {

// The first `maxCharacters` characters of `text` (all of it when shorter).
std::string CutToCharacters(std::string_view text, size_t maxCharacters);

// The longest start of `text` that is at most `maxBytes` long and ends
// between two characters.
std::string CutToBytes(std::string_view text, size_t maxBytes);

}  // namespace ruvo
