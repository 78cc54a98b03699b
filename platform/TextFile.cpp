#include "platform/TextFile.h"

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace ruvo {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return SplitLines(DecodeGb18030(*bytes));
}

bool WriteTextFile(const std::string& path, std::string_view text) {
    return ReplaceFileAtomically(path, EncodeGb18030(text));
}

}  // namespace ruvo
