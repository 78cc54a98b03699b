#include "base/TextBetween.h"

namespace ruvo {

std::string TextBetween(std::string_view text, std::string_view start, std::string_view end, BetweenMode mode) {
    const size_t from = text.find(start);
    if (from == std::string_view::npos || start.empty()) return {};
    const size_t inside = from + start.size();
    const size_t to = text.find(end, inside);
    if (to == std::string_view::npos || end.empty()) return {};
    if (mode == BetweenMode::WithMarkers) return std::string(text.substr(from, to + end.size() - from));
    return std::string(text.substr(inside, to - inside));
}

}  // namespace ruvo
