#include "base/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace ruvo {
namespace {

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsNumberText(std::string_view text) {
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    return end == trimmed.c_str() + trimmed.size() && std::isfinite(value);
}

std::optional<double> NumberOf(std::string_view text) {
    if (!IsNumberText(text)) return std::nullopt;
    return std::strtod(Trimmed(text).c_str(), nullptr);
}

int TextToInt(std::string_view text) {
    if (!IsNumberText(text)) return 0;
    const double value = std::strtod(Trimmed(text).c_str(), nullptr);
    if (value > 2147483647.0 || value < -2147483648.0) return 0;
    return static_cast<int>(std::lround(value));
}

}  // namespace ruvo
