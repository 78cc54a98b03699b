#include "base/PathText.h"

#include "base/BidiControls.h"

namespace ruvo {

std::string FileNameOfPath(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string_view::npos) return {};
    return ShownText(std::string(path.substr(slash + 1)));
}

std::string StripExtension(std::string_view text) {
    const size_t dot = text.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(text.substr(0, dot));
}

}  // namespace ruvo
