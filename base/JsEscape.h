#pragma once
// The page script language's escape() and unescape(): the percent-encoding in
// which portal links carry media addresses and the lists store them.
#include <string>
#include <string_view>

namespace ruvo {

// A-Z a-z 0-9 @ * _ + - . / stay; other code units below 256 become "%XX",
// the rest "%uXXXX" (upper-case hex; characters outside the basic plane as
// their two surrogate code units).
std::string JsEscape(std::string_view text);

// "%XX" and "%uXXXX" (hex of either case) become the character with that code;
// everything else, a "%" without valid digits included, stays as it is.
std::string JsUnescape(std::string_view text);

}  // namespace ruvo
