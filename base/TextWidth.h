#pragma once
// Cutting a name to the width the list rows (25) and the title line (30) have.
#include <string>
#include <string_view>

namespace ruvo {

// Widths names are cut to: the title line above the player.
inline constexpr int kTitleLineWidth = 30;

// The longest prefix of `text` whose display width does not exceed `width`: a
// character that is double-byte in GBK counts 2, any other 1. A text of at
// most width/2 characters comes back unchanged; nothing is appended to a cut.
std::string TruncateToWidth(std::string_view text, int width);

}  // namespace ruvo
