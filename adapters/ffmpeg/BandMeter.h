#pragma once
// The loudness of 16 bands of the spectrum, log-spaced from 100 to 5000 Hz,
// every 220 samples (20 ms at 11025 Hz): finer in time than a fingerprint,
// to place the edge of a shared opening or closing within a frame or two.
//
// Entry i stands for the moment of sample i * 220 of what was fed: its
// 512-sample Hann window is centred there, reaching 256 samples either
// side, with silence taken before the first sample and after the last.
// Entries run to the last moment fed.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "adapters/ffmpeg/RadixTwoFft.h"
#include "platform/EpisodeListening.h"

namespace ruvo {

class BandMeter {
public:
    static constexpr std::size_t kStep = 220;
    static constexpr std::size_t kWindow = 512;

    explicit BandMeter(int sampleRate);
    double StepSeconds() const { return static_cast<double>(kStep) / sampleRate_; }
    void Feed(const std::int16_t* samples, std::size_t count);
    // Every entry, once all was fed.
    std::vector<SoundBands> Finish();

private:
    void MeasureWhatIsWhole();
    SoundBands Measure(const std::int16_t* window);

    int sampleRate_;
    RadixTwoFft fft_;
    std::vector<double> hann_;
    std::vector<int> bandOfBin_;  // -1 outside 100-5000 Hz
    std::vector<std::complex<double>> spectrum_;
    // The samples from the next window's first on: pending_[used_] is sample
    // entries * kStep - kWindow / 2.
    std::vector<std::int16_t> pending_;
    std::size_t used_ = 0;
    std::size_t fed_ = 0;
    std::vector<SoundBands> entries_;
};

}  // namespace ruvo
