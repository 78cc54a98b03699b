#include "base/LinkText.h"

namespace ruvo {

std::string TrimLink(std::string_view url, std::string_view scheme) {
    std::string result;
    size_t from = 0;
    for (size_t at; !scheme.empty() && (at = url.find(scheme, from)) != std::string_view::npos; from = at + scheme.size())
        result.append(url.substr(from, at - from));
    result.append(url.substr(from));
    if (scheme == "eeshow://") {
        if (result.empty() || result.front() != '/') result.insert(result.begin(), '/');
        return result;
    }
    if (!result.empty() && result.back() == '/') result.pop_back();
    return result;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace ruvo
