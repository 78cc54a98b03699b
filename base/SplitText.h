#pragma once
// Splitting the program's "|", "-", "&&&", "$" and "====" separated texts.
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

// Splits at every occurrence of the separator, exactly, without trimming.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Field `index`, or the empty text when the split gave fewer fields.
std::string FieldAt(const std::vector<std::string>& fields, size_t index);

}  // namespace ruvo
