#include "base/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

namespace ruvo {
namespace {

// One iconv conversion descriptor, closed on scope exit. Each direction
// keeps one per thread: opening one loads the converter module again each
// time, which cost more than the conversion of a whole list file.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// The escape of one undecodable byte: U+DC80 + byte, written as UTF-8.
void AppendEscape(std::string& out, unsigned char byte) {
    const unsigned code = 0xDC00u + byte;  // bytes below 0x80 never need it
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// Length of the escape at text[pos], or 0 when there is none; sets the byte.
size_t EscapeAt(std::string_view text, size_t pos, unsigned char& byte) {
    if (pos + 3 > text.size()) return 0;
    const auto b0 = static_cast<unsigned char>(text[pos]);
    const auto b1 = static_cast<unsigned char>(text[pos + 1]);
    const auto b2 = static_cast<unsigned char>(text[pos + 2]);
    if (b0 != 0xED || (b1 & 0xFE) != 0xB2 || (b2 & 0xC0) != 0x80) return 0;
    const unsigned code = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
    if (code < 0xDC80 || code > 0xDCFF) return 0;
    byte = static_cast<unsigned char>(code - 0xDC00);
    return 3;
}

// Length of a well-formed UTF-8 sequence at text[pos], or 0.
size_t Utf8SequenceAt(std::string_view text, size_t pos) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) return 1;
    // Well-formed sequences only: no overlong forms, no surrogates, nothing
    // above U+10FFFF (those bytes are not text, whatever their shape).
    const size_t length = b0 >= 0xC2 && b0 <= 0xDF ? 2 : b0 >= 0xE0 && b0 <= 0xEF ? 3 : b0 >= 0xF0 && b0 <= 0xF4 ? 4 : 0;
    if (length == 0 || pos + length > text.size()) return 0;
    const auto b1 = static_cast<unsigned char>(text[pos + 1]);
    const unsigned char low = b0 == 0xE0 ? 0xA0 : b0 == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = b0 == 0xED ? 0x9F : b0 == 0xF4 ? 0x8F : 0xBF;
    if (b1 < low || b1 > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 0;
    return length;
}

// Where the run of ASCII bytes starting at `pos` ends: tested eight bytes at a time.
size_t AsciiRunEnd(std::string_view text, size_t pos) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    for (uint64_t word = 0; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        if ((word & kHighBits) != 0) break;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

// Runs iconv over `in`, appending the output; returns how many input bytes
// were consumed before the first one it could not convert.
size_t ConvertPrefix(iconv_t cd, std::string_view in, std::string& out) {
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    return in.size() - inLeft;
}

}  // namespace

std::string DecodeGb18030(std::string_view bytes) {
    static thread_local const IconvHandle cd("UTF-8", "GB18030");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (cd.valid()) pos += ConvertPrefix(cd.get(), bytes.substr(pos), out);
        if (pos >= bytes.size()) break;
        const auto byte = static_cast<unsigned char>(bytes[pos++]);
        if (byte < 0x80) out += static_cast<char>(byte);
        else AppendEscape(out, byte);
    }
    return out;
}

std::string EncodeGb18030(std::string_view text) {
    static thread_local const IconvHandle cd("GB18030", "UTF-8");
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        // ASCII is the same in GB18030, and most of a page is ASCII.
        const size_t ascii = AsciiRunEnd(text, pos);
        out.append(text.substr(pos, ascii - pos));
        pos = ascii;
        // Convert the longest non-ASCII run that holds neither escapes nor broken UTF-8.
        size_t end = pos;
        unsigned char byte = 0;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) {
            if (EscapeAt(text, end, byte) != 0) break;
            const size_t length = Utf8SequenceAt(text, end);
            if (length == 0) break;
            end += length;
        }
        if (end > pos) {
            const std::string_view run = text.substr(pos, end - pos);
            const size_t done = cd.valid() ? ConvertPrefix(cd.get(), run, out) : 0;
            if (done < run.size()) out.append(run.substr(done));  // unmappable: keep as is
            pos = end;
        } else if (pos < text.size()) {
            const size_t length = EscapeAt(text, pos, byte);
            out += length != 0 ? static_cast<char>(byte) : text[pos];
            pos += length != 0 ? length : 1;
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = Utf8SequenceAt(bytes, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::string DecodeReplyText(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : DecodeGb18030(bytes);
}

bool IsGbkDoubleByte(std::string_view text, size_t pos, size_t& length) {
    length = Utf8SequenceAt(text, pos);
    if (length == 0) {
        unsigned char byte = 0;
        length = EscapeAt(text, pos, byte);
        if (length == 0) length = 1;
        return false;
    }
    if (length == 1) return false;
    IconvHandle cd("GBK", "UTF-8");
    if (!cd.valid()) return false;
    std::string encoded;
    const size_t done = ConvertPrefix(cd.get(), text.substr(pos, length), encoded);
    return done == length && encoded.size() == 2;
}

}  // namespace ruvo
