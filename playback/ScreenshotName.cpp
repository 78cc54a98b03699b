#include "playback/ScreenshotName.h"

#include <cstdio>
#include <string_view>

#include "base/BidiControls.h"
#include "base/Utf8Cut.h"
#include "config/FileSystem.h"

namespace ruvo {
namespace {

constexpr size_t kTitleCharacters = 80;
constexpr int kMaxNumbered = 999;

bool UnfitInName(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

std::string TitlePart(const std::string& title) {
    std::string part;
    for (const char c : ShownText(title)) part += UnfitInName(c) ? '_' : c;
    // A leading dot would hide the file; leading or trailing spaces confuse.
    const size_t first = part.find_first_not_of(". ");
    part = first == std::string::npos ? "" : part.substr(first);
    while (!part.empty() && part.back() == ' ') part.pop_back();
    part = CutToCharacters(part, kTitleCharacters);
    return part.empty() ? "截图" : part;
}

}  // namespace

std::string ScreenshotFileName(const std::string& title, int seconds) {
    const int s = seconds < 0 ? 0 : seconds;
    char time[32];
    std::snprintf(time, sizeof time, "%02d-%02d-%02d", s / 3600, s / 60 % 60, s % 60);
    return TitlePart(title) + " " + time + ".png";
}

std::string FreeScreenshotPath(const std::string& folder, const std::string& name) {
    const std::string path = JoinPath(folder, name);
    if (!PathExists(path)) return path;
    const std::string stem = name.size() > 4 ? name.substr(0, name.size() - 4) : name;
    for (int n = 2; n <= kMaxNumbered; ++n) {
        const std::string numbered = JoinPath(folder, stem + " (" + std::to_string(n) + ").png");
        if (!PathExists(numbered)) return numbered;
    }
    return {};
}

}  // namespace ruvo
