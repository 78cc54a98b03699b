#pragma once
// Small text functions on file paths shared by the lists and their actions.
#include <string>
#include <string_view>

namespace ruvo {

// The text after the last "/" (or "\", so paths stored on Windows still
// work), as shown (ShownText); empty when the path holds neither.
std::string FileNameOfPath(std::string_view path);

// The text before the last "."; empty when there is no "." at all.
std::string StripExtension(std::string_view text);

}  // namespace ruvo
