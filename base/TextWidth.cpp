#include "base/TextWidth.h"

#include "base/TextCodec.h"
#include "base/Utf16.h"

namespace ruvo {
namespace {

// Length in UTF-16 code units, the way the script language counts characters.
size_t CodeUnitCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size();) count += NextCodePoint(text, pos) > 0xFFFF ? 2 : 1;
    return count;
}

}  // namespace

std::string TruncateToWidth(std::string_view text, int width) {
    if (width / 2.0 >= static_cast<double>(CodeUnitCount(text))) return std::string(text);
    std::string result;
    int total = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t length = 1;
        const bool doubleByte = IsGbkDoubleByte(text, pos, length);
        size_t probe = pos;
        const bool outsidePlane = NextCodePoint(text, probe) > 0xFFFF;  // two units, one each
        total += doubleByte || outsidePlane ? 2 : 1;
        if (total > width) break;
        result.append(text.substr(pos, length));
        pos += length;
    }
    return result;
}

}  // namespace ruvo
