#include "base/Punycode.h"

#include <vector>

#include "base/Utf16.h"

namespace ruvo {
namespace {

constexpr long kBase = 36, kTMin = 1, kTMax = 26, kSkew = 38, kDamp = 700, kInitialBias = 72, kInitialN = 128;

long Adapt(long delta, long points, bool first) {
    delta = first ? delta / kDamp : delta / 2;
    delta += delta / points;
    long k = 0;
    while (delta > ((kBase - kTMin) * kTMax) / 2) {
        delta /= kBase - kTMin;
        k += kBase;
    }
    return k + (kBase - kTMin + 1) * delta / (delta + kSkew);
}

long DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0' + 26;
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= 'A' && c <= 'Z') return c - 'A';
    return -1;
}

}  // namespace

std::optional<std::string> DecodePunycode(std::string_view label) {
    std::vector<char32_t> output;
    const size_t delimiter = label.rfind('-');
    size_t in = 0;
    if (delimiter != std::string_view::npos) {
        for (size_t i = 0; i < delimiter; ++i) output.push_back(static_cast<unsigned char>(label[i]));
        in = delimiter + 1;
    }
    long n = kInitialN, i = 0, bias = kInitialBias;
    while (in < label.size()) {
        const long oldI = i;
        long w = 1;
        for (long k = kBase;; k += kBase) {
            if (in >= label.size()) return std::nullopt;
            const long digit = DigitValue(label[in++]);
            if (digit < 0 || digit > (0x7FFFFFFF - i) / w) return std::nullopt;
            i += digit * w;
            const long t = k <= bias ? kTMin : k >= bias + kTMax ? kTMax : k - bias;
            if (digit < t) break;
            w *= kBase - t;
            if (w > 0x7FFFFFF) return std::nullopt;
        }
        const long points = static_cast<long>(output.size()) + 1;
        bias = Adapt(i - oldI, points, oldI == 0);
        n += i / points;
        i %= points;
        if (n > 0x10FFFF) return std::nullopt;
        output.insert(output.begin() + i, static_cast<char32_t>(n));
        ++i;
    }
    std::string text;
    for (const char32_t c : output) AppendCodePoint(text, c);
    return text;
}

}  // namespace ruvo
