#include "base/Utf8Cut.h"

namespace ruvo {
namespace {

// A byte that continues a character (10xxxxxx) rather than starting one.
bool Continues(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string CutToCharacters(std::string_view text, size_t maxCharacters) {
    size_t characters = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (Continues(text[at])) continue;
        if (characters == maxCharacters) return std::string(text.substr(0, at));
        ++characters;
    }
    return std::string(text);
}

std::string CutToBytes(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t end = maxBytes;
    while (end > 0 && Continues(text[end])) --end;
    return std::string(text.substr(0, end));
}

}  // namespace ruvo
