#pragma once
// Unicode's bidirectional controls (U+202E RIGHT-TO-LEFT OVERRIDE and its
// kin) reorder the text around them as it is shown: a name from a file or
// a portal could show "gpj.exe" as "exe.jpg". Names the program shows or
// makes files of go without them.
#include <string>

namespace ruvo {

// `text` (UTF-8) without U+061C, U+200E, U+200F, U+202A..U+202E and
// U+2066..U+2069.
std::string WithoutBidiControls(const std::string& text);

}  // namespace ruvo
