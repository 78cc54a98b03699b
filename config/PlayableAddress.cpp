#include "config/PlayableAddress.h"

#include <algorithm>

#include "config/FileSystem.h"

namespace ruvo {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool IsWebAddress(std::string_view address) {
    const size_t hostStart = StartsWithIgnoringCase(address, "http://")    ? 7
                             : StartsWithIgnoringCase(address, "https://") ? 8
                                                                           : 0;
    if (hostStart == 0 || address.size() <= hostStart || address[hostStart] == '/') return false;
    // A portal's path may hold a space as it was written; its host may not.
    const size_t hostEnd = std::min(address.find('/', hostStart), address.size());
    for (size_t i = 0; i < address.size(); ++i) {
        const auto c = static_cast<unsigned char>(address[i]);
        if (c < 0x20 || c == 0x7f || (c == ' ' && i < hostEnd)) return false;
    }
    return true;
}

bool IsPlayableAddress(const std::string& address, AddressOrigin origin) {
    if (IsWebAddress(address)) return true;
    if (origin != AddressOrigin::User || address.empty() || address.front() != '/') return false;
    return address.find('\0') == std::string::npos && IsRegularFile(address);
}

bool MayOpenOnTheWay(const std::string& address, const OpenRules& rules) {
    if (!rules.chosen.empty() && address == rules.chosen) return true;
    return IsPlayableAddress(rules.origin == AddressOrigin::User ? LocalPathOf(address) : address, rules.origin);
}

bool IsMissingFile(const std::string& address) {
    return !address.empty() && address.front() == '/' && !PathExists(address);
}

std::string RefusalTextOf(const std::string& address, AddressOrigin origin) {
    return origin == AddressOrigin::User && IsMissingFile(address) ? "无法播放：文件不存在" : kUnsupportedAddressText;
}

std::string LocalPathOf(const std::string& address) {
    // "file:///path" and "file://localhost/path"; another host's file is none of ours.
    std::string_view rest = address;
    if (!StartsWithIgnoringCase(rest, "file://")) return address;
    rest.remove_prefix(7);
    if (StartsWithIgnoringCase(rest, "localhost/")) rest.remove_prefix(9);
    if (rest.empty() || rest.front() != '/') return address;
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        const int high = rest[i] == '%' && i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(rest[i + 2]) : -1;
        if (low < 0) {
            path += rest[i];
            continue;
        }
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

}  // namespace ruvo
