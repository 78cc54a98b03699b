#include "adapters/ffmpeg/RadixTwoFft.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace ruvo {

RadixTwoFft::RadixTwoFft(std::size_t size) : size_(size), turns_(size / 2), reversed_(size) {
    for (std::size_t k = 0; k < size / 2; ++k)
        turns_[k] = std::polar(1.0, -2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(size));
    std::size_t bits = 0;
    while ((std::size_t{1} << bits) < size) ++bits;
    for (std::size_t i = 0; i < size; ++i)
        for (std::size_t bit = 0; bit < bits; ++bit)
            if (i & (std::size_t{1} << bit)) reversed_[i] |= std::size_t{1} << (bits - 1 - bit);
}

void RadixTwoFft::Transform(std::vector<std::complex<double>>& values) const {
    for (std::size_t i = 0; i < size_; ++i)
        if (i < reversed_[i]) std::swap(values[i], values[reversed_[i]]);
    // Butterflies of growing span, each pairing the halves of a block.
    for (std::size_t span = 2; span <= size_; span *= 2) {
        const std::size_t half = span / 2, stride = size_ / span;
        for (std::size_t block = 0; block < size_; block += span) {
            for (std::size_t j = 0; j < half; ++j) {
                const std::complex<double> even = values[block + j];
                const std::complex<double> odd = values[block + j + half] * turns_[j * stride];
                values[block + j] = even + odd;
                values[block + j + half] = even - odd;
            }
        }
    }
}

}  // namespace ruvo
