#include "shell/TrayText.h"

#include "base/TextCodec.h"
#include "base/Utf16.h"

namespace ruvo {

std::string CutToLegacyBytes(std::string_view text, size_t maxBytes) {
    size_t used = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t next = pos;
        NextCodePoint(text, next);
        used += EncodeGb18030(text.substr(pos, next - pos)).size();
        if (used > maxBytes) break;
        pos = next;
    }
    return std::string(text.substr(0, pos));
}

}  // namespace ruvo
