#pragma once
// Cutting a marked piece out of a text (used on the player's configuration).
#include <string>
#include <string_view>

namespace ruvo {

enum class BetweenMode {
    WithMarkers = 1,    // from the start marker up to and including the end marker
    InsideMarkers = 2,  // only the text between the two markers
};

// Finds the first `start` and the first `end` after it. Returns the empty text
// when either marker is missing.
std::string TextBetween(std::string_view text, std::string_view start, std::string_view end, BetweenMode mode);

}  // namespace ruvo
