#pragma once
// Decoding of internationalised host labels ("xn--..."), RFC 3492.
#include <optional>
#include <string>
#include <string_view>

namespace ruvo {

// The UTF-8 text of one label without its "xn--" prefix; nothing when it is
// not valid Punycode.
std::optional<std::string> DecodePunycode(std::string_view label);

}  // namespace ruvo
