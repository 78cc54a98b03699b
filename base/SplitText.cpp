#include "base/SplitText.h"

namespace ruvo {

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + separator.size())
        fields.emplace_back(text.substr(from, at - from));
    fields.emplace_back(text.substr(from));
    return fields;
}

std::string FieldAt(const std::vector<std::string>& fields, size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

}  // namespace ruvo
