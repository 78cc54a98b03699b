#pragma once
// Numbers written as text in the settings, the lists and the links.
#include <optional>
#include <string_view>

namespace ruvo {

// True when the text is a decimal number as a whole (blanks around it allowed).
bool IsNumberText(std::string_view text);

// The value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);

// The value of a number text (a fraction rounded), or 0 when the text is not a
// number or does not fit 32 bits: a failed conversion reads as 0.
int TextToInt(std::string_view text);

// The number the text holds; nothing when it is not a number.
std::optional<double> NumberOf(std::string_view text);

}  // namespace ruvo
