#pragma once
// A small in-place radix-2 FFT, enough for the band meter's short windows.
#include <complex>
#include <cstddef>
#include <vector>

namespace ruvo {

class RadixTwoFft {
public:
    explicit RadixTwoFft(std::size_t size);  // a power of two
    // The discrete Fourier transform of `values` (Size() of them), in place.
    void Transform(std::vector<std::complex<double>>& values) const;
    std::size_t Size() const { return size_; }

private:
    std::size_t size_;
    std::vector<std::complex<double>> turns_;  // e^(-2πik/size), k below size/2
    std::vector<std::size_t> reversed_;        // each index with its bits in reverse order
};

}  // namespace ruvo
