#include "adapters/ffmpeg/BandMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ruvo {
namespace {

constexpr double kLowest = 100, kHighest = 5000;
constexpr int kBands = std::tuple_size_v<SoundBands>;
// A full-scale sine's energy in its band through the Hann window: its peak
// bin holds (512 / 4)^2 and the two beside it a quarter of that each. It
// reads 255; 96 dB below, the floor of 16-bit sound, reads 1, and less 0.
constexpr double kFullScale = 128.0 * 128.0 * 1.5;
constexpr double kRangeDecibels = 96;
// Old samples are dropped in batches, not one window at a time.
constexpr std::size_t kDropBatch = 8192;

std::uint8_t LevelOf(double energy) {
    if (energy <= 0) return 0;
    const double decibels = 10 * std::log10(energy / kFullScale);
    if (decibels <= -kRangeDecibels) return 0;
    const long level = std::lround((decibels + kRangeDecibels) * 255 / kRangeDecibels);
    return static_cast<std::uint8_t>(std::clamp(level, 1L, 255L));
}

}  // namespace

BandMeter::BandMeter(int sampleRate)
    : sampleRate_(sampleRate), fft_(kWindow), hann_(kWindow), bandOfBin_(kWindow / 2 + 1, -1), spectrum_(kWindow),
      pending_(kWindow / 2, 0) {
    for (std::size_t n = 0; n < kWindow; ++n)
        hann_[n] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(n) / kWindow);
    // Band b spans kLowest * (kHighest / kLowest)^(b / 16) up to the next
    // edge; at 21.5 Hz a bin, the narrowest (100-128 Hz) still holds one.
    for (std::size_t bin = 0; bin < bandOfBin_.size(); ++bin) {
        const double hertz = static_cast<double>(bin) * sampleRate / kWindow;
        if (hertz < kLowest || hertz >= kHighest) continue;
        const double place = kBands * std::log(hertz / kLowest) / std::log(kHighest / kLowest);
        bandOfBin_[bin] = std::min(static_cast<int>(place), kBands - 1);
    }
}

void BandMeter::Feed(const std::int16_t* samples, std::size_t count) {
    pending_.insert(pending_.end(), samples, samples + count);
    fed_ += count;
    MeasureWhatIsWhole();
}

std::vector<SoundBands> BandMeter::Finish() {
    pending_.resize(pending_.size() + kWindow, 0);  // the silence after the last sample
    while (entries_.size() * kStep < fed_) {
        entries_.push_back(Measure(pending_.data() + used_));
        used_ += kStep;
    }
    pending_.assign(kWindow / 2, 0);
    used_ = fed_ = 0;
    return std::move(entries_);
}

void BandMeter::MeasureWhatIsWhole() {
    while (pending_.size() - used_ >= kWindow) {
        entries_.push_back(Measure(pending_.data() + used_));
        used_ += kStep;
    }
    if (used_ >= kDropBatch) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used_));
        used_ = 0;
    }
}

SoundBands BandMeter::Measure(const std::int16_t* window) {
    for (std::size_t n = 0; n < kWindow; ++n) spectrum_[n] = hann_[n] * window[n] / 32768.0;
    fft_.Transform(spectrum_);
    std::array<double, kBands> energy{};
    for (std::size_t bin = 0; bin < bandOfBin_.size(); ++bin)
        if (bandOfBin_[bin] >= 0) energy[static_cast<std::size_t>(bandOfBin_[bin])] += std::norm(spectrum_[bin]);
    SoundBands levels{};
    for (int b = 0; b < kBands; ++b) levels[static_cast<std::size_t>(b)] = LevelOf(energy[static_cast<std::size_t>(b)]);
    return levels;
}

}  // namespace ruvo
