#include "portal/LinkRecovery.h"

#include <cstdint>
#include <vector>

#include "base/LinkText.h"
#include "base/NumberText.h"
#include "base/PathText.h"
#include "base/PrivateSchemes.h"
#include "base/Punycode.h"
#include "base/TextCodec.h"

namespace ruvo {
namespace {

// "source was "TEXT"" inside the error message.
std::string SourceOfError(const std::string& error) {
    const std::string marker = "source was \"";
    const size_t start = error.find(marker);
    if (start == std::string::npos) return {};
    // The source is followed by "; scheme = ..." (or ends the message).
    size_t end = error.find("\"; ", start + marker.size());
    if (end == std::string::npos) end = error.rfind('"');
    if (end <= start + marker.size() - 1) return {};
    return error.substr(start + marker.size(), end - start - marker.size());
}

// "0.0.0.3" -> "3": the number the page wrote, when the host is a dotted quad.
std::optional<std::string> NumberOfAddress(const std::string& host) {
    const auto parts = SplitText(host, ".");
    if (parts.size() != 4) return std::nullopt;
    uint32_t value = 0;
    for (const auto& part : parts) {
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        const int byte = std::stoi(part);
        if (byte > 255) return std::nullopt;
        value = value << 8 | static_cast<uint32_t>(byte);
    }
    return std::to_string(value);
}

std::string RecoverHost(const std::string& host) {
    if (const auto number = NumberOfAddress(host)) return *number;
    std::string recovered;
    const auto labels = SplitText(host, ".");
    for (size_t i = 0; i < labels.size(); ++i) {
        if (i) recovered += '.';
        const std::string& label = labels[i];
        const auto decoded = StartsWith(label, "xn--") ? DecodePunycode(label.substr(4)) : std::nullopt;
        recovered += decoded ? *decoded : label;
    }
    return recovered;
}

}  // namespace

std::string DecodeUtf8Escapes(const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        // Collect a run of %XX escapes of bytes >= 0x80.
        std::string bytes;
        size_t end = pos;
        while (end + 2 < text.size() && text[end] == '%' && HexDigitValue(text[end + 1]) >= 0 && HexDigitValue(text[end + 2]) >= 0) {
            const int byte = HexDigitValue(text[end + 1]) * 16 + HexDigitValue(text[end + 2]);
            if (byte < 0x80) break;
            bytes += static_cast<char>(byte);
            end += 3;
        }
        if (!bytes.empty() && IsValidUtf8(bytes)) {
            out += bytes;
            pos = end;
        } else if (!bytes.empty()) {
            out.append(text, pos, end - pos);
            pos = end;
        } else {
            out += text[pos++];
        }
    }
    return out;
}

std::string RecoverLinkText(const EngineUrl& url) {
    if (!url.valid) return SourceOfError(url.errorString);
    if (!IsPrivateScheme(url.scheme)) return url.encodedText;
    return DecodeUtf8Escapes(url.scheme + "://" + RecoverHost(url.host) + url.afterHost);
}

}  // namespace ruvo
