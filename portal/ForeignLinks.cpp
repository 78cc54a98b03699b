#include "portal/ForeignLinks.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "base/LinkText.h"

namespace ruvo {
namespace {

// Scheme and host (with port) of an address, lower case; "" when it is not http(s).
std::string SiteOf(std::string_view url) {
    std::string lower(url.substr(0, std::min<size_t>(url.size(), 8)));
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    size_t start = 0;
    if (lower.rfind("http://", 0) == 0) start = 7;
    else if (lower.rfind("https://", 0) == 0) start = 8;
    else return {};
    const size_t end = url.find_first_of("/?#", start);
    std::string site(url.substr(0, end == std::string_view::npos ? url.size() : end));
    std::transform(site.begin(), site.end(), site.begin(), [](unsigned char c) { return std::tolower(c); });
    return site;
}

}  // namespace

bool LeavesPortal(std::string_view url, const PortalAddress& portal) {
    const std::string site = SiteOf(url);
    if (site.empty()) return false;
    return site != SiteOf(portal.root);
}

}  // namespace ruvo
