#include "base/JsEscape.h"

#include "base/NumberText.h"
#include "base/Utf16.h"

namespace ruvo {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool StaysUnescaped(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '@' || c == '*' ||
           c == '_' || c == '+' || c == '-' || c == '.' || c == '/';
}

void AppendUnit(std::string& out, char32_t unit) {
    if (unit < 256) {
        out += '%';
        out += kHex[unit >> 4];
        out += kHex[unit & 0xF];
        return;
    }
    out += "%u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

// Value of `count` hex digits at text[pos], or -1 when any is missing.
long HexAt(std::string_view text, size_t pos, size_t count) {
    if (pos + count > text.size()) return -1;
    long value = 0;
    for (size_t i = 0; i < count; ++i) {
        const int digit = HexDigitValue(text[pos + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool IsHighSurrogate(long unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(long unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string JsEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextCodePoint(text, pos);
        if (StaysUnescaped(c)) {
            out += static_cast<char>(c);
        } else if (c > 0xFFFF) {
            AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, c);
        }
    }
    return out;
}

// U+FFFD, shown where a character could not be read.
constexpr char32_t kReplacementCharacter = 0xFFFD;

std::string JsUnescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '%') {
            out += text[pos++];
            continue;
        }
        long unit = -1;
        size_t length = 0;
        if (pos + 1 < text.size() && text[pos + 1] == 'u' && (unit = HexAt(text, pos + 2, 4)) >= 0) length = 6;
        else if ((unit = HexAt(text, pos + 1, 2)) >= 0) length = 3;
        if (length == 0) {
            out += text[pos++];
            continue;
        }
        pos += length;
        // A surrogate pair written as two escapes is one character.
        if (IsHighSurrogate(unit) && pos + 6 <= text.size() && text[pos] == '%' && text[pos + 1] == 'u') {
            const long low = HexAt(text, pos + 2, 4);
            if (IsLowSurrogate(low)) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                pos += 6;
                continue;
            }
        }
        // A lone half of a pair is no character: it becomes the replacement
        // character, never bytes that would join a neighbour in the GBK file.
        const bool lone = IsHighSurrogate(unit) || IsLowSurrogate(unit);
        AppendCodePoint(out, lone ? kReplacementCharacter : static_cast<char32_t>(unit));
    }
    return out;
}

}  // namespace ruvo
