#pragma once
// The one filter for text from outside (a portal's names and replies, file
// names, list rows) before the program shows or stores it. Unicode's
// bidirectional controls (U+202E RIGHT-TO-LEFT OVERRIDE and its kin)
// reorder the text around them as it is shown: a name could show "gpj.exe"
// as "exe.jpg". Control characters break lines, move the cursor of a
// terminal or end a file name early.
#include <string>

namespace ruvo {

// `text` (UTF-8) without U+061C, U+200E, U+200F, U+202A..U+202E and
// U+2066..U+2069.
std::string WithoutBidiControls(const std::string& text);

// `text` (UTF-8) as the program shows or stores it: without bidirectional
// controls, and with each C0 control, DEL and C1 control (U+0080..U+009F)
// made a space, so that nothing hides what stands around it.
std::string ShownText(const std::string& text);

}  // namespace ruvo
