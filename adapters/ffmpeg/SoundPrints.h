#pragma once
// Chromaprint's raw fingerprint of a stretch of mono 16-bit sound.
//
// Where an item stands in time: Chromaprint cuts the sound into frames of
// 4096 samples every 1365 (its item duration, 123.8 ms at 11025 Hz), smooths
// the chroma of 5 frames in a row and compares 16 smoothed rows in a row.
// Item i is thus made of samples i * 1365 up to i * 1365 + 30031 (the
// delay chromaprint_get_delay tells, 28666, and one step more): it starts
// exactly i steps after the first sample fed, without lag, and sums up the
// 2.7 s after that moment.
#include <cstddef>
#include <cstdint>
#include <vector>

struct ChromaprintContextPrivate;

namespace ruvo {

class SoundPrints {
public:
    explicit SoundPrints(int sampleRate);
    ~SoundPrints();
    SoundPrints(const SoundPrints&) = delete;
    SoundPrints& operator=(const SoundPrints&) = delete;

    // The time from one item to the next, exact: chromaprint_get_item_duration_ms
    // rounds it to 123 ms, which would drift by 4 s over 10 minutes.
    double StepSeconds() const { return stepSeconds_; }
    void Feed(const std::int16_t* samples, std::size_t count);
    // The items, once all was fed; none when less than one item's span was.
    std::vector<std::uint32_t> Finish();

private:
    ChromaprintContextPrivate* context_;
    double stepSeconds_ = 0;
    bool fine_ = false;
};

}  // namespace ruvo
