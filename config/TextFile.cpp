#include "config/TextFile.h"

#include "base/TextCodec.h"
#include "config/FileSystem.h"

namespace ruvo {

std::vector<std::string> SplitLines(std::string_view text, size_t maxLines) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < maxLines) {
        // A plain scan: find_first_of calls memchr on its two-byte set once per byte.
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path, size_t limit) {
    const auto bytes = ReadWholeFile(path, limit);
    if (!bytes) return std::nullopt;
    return SplitLines(DecodeGb18030(*bytes));
}

bool WriteTextFile(const std::string& path, std::string_view text) {
    return ReplaceFileAtomically(path, EncodeGb18030(text));
}

}  // namespace ruvo
