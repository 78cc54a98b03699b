#pragma once
// The link schemes the portal's pages and the list pages use to talk to the
// program. The web engine must hand them to the panes' before-navigate
// handlers instead of treating them as unknown protocols.
#include <array>
#include <string_view>

namespace ruvo {

inline constexpr std::array<std::string_view, 7> kPrivateSchemes{"eeshow", "eetvs",  "eebovod", "eeqvod",
                                                                 "fanhome", "open", "delk"};

// True for a scheme name ("eebovod") of the program's own links.
inline bool IsPrivateScheme(std::string_view scheme) {
    for (const auto s : kPrivateSchemes)
        if (scheme == s) return true;
    return false;
}

// True when the text starts with one of the private schemes and "://".
inline bool IsPrivateLink(std::string_view url) {
    for (const auto scheme : kPrivateSchemes)
        if (url.size() > scheme.size() + 3 && url.substr(0, scheme.size()) == scheme &&
            url.substr(scheme.size(), 3) == "://")
            return true;
    return false;
}

// True when a private scheme's text ("eeshow://" ...) stands anywhere in it.
inline bool MentionsPrivateScheme(std::string_view url) {
    for (const auto scheme : kPrivateSchemes) {
        for (size_t at = url.find(scheme); at != std::string_view::npos; at = url.find(scheme, at + 1))
            if (url.substr(at + scheme.size(), 3) == "://") return true;
    }
    return false;
}

}  // namespace ruvo
