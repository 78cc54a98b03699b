#include "base/BidiControls.h"

namespace ruvo {
namespace {

// The length of the control that starts at `at`, else 0.
size_t BidiControlAt(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u; };
    if (byte(0) == 0xD8 && byte(1) == 0x9C) return 2;  // U+061C
    if (byte(0) != 0xE2) return 0;
    const unsigned second = byte(1), third = byte(2);
    if (second == 0x80 && (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE))) return 3;
    if (second == 0x81 && third >= 0xA6 && third <= 0xA9) return 3;
    return 0;
}

}  // namespace

std::string WithoutBidiControls(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t control = BidiControlAt(text, i);
        if (control == 0) plain += text[i];
        i += control == 0 ? 1 : control;
    }
    return plain;
}

std::string ShownText(const std::string& text) {
    const std::string plain = WithoutBidiControls(text);
    std::string shown;
    shown.reserve(plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const auto c = static_cast<unsigned char>(plain[i]);
        const bool c1 = c == 0xC2 && i + 1 < plain.size() && static_cast<unsigned char>(plain[i + 1]) <= 0x9F &&
                        static_cast<unsigned char>(plain[i + 1]) >= 0x80;
        if (c < 0x20 || c == 0x7f || c1) shown += ' ';
        else shown += plain[i];
        if (c1) ++i;
    }
    return shown;
}

}  // namespace ruvo
