#include "adapters/ffmpeg/SoundPrints.h"

#include <chromaprint.h>

#include <algorithm>
#include <climits>

namespace ruvo {

SoundPrints::SoundPrints(int sampleRate) : context_(chromaprint_new(CHROMAPRINT_ALGORITHM_DEFAULT)) {
    if (!context_) return;
    stepSeconds_ = static_cast<double>(chromaprint_get_item_duration(context_)) / sampleRate;
    fine_ = chromaprint_start(context_, sampleRate, 1) == 1;
}

SoundPrints::~SoundPrints() {
    if (context_) chromaprint_free(context_);
}

void SoundPrints::Feed(const std::int16_t* samples, std::size_t count) {
    while (fine_ && count > 0) {
        const int chunk = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
        fine_ = chromaprint_feed(context_, samples, chunk) == 1;
        samples += chunk;
        count -= static_cast<std::size_t>(chunk);
    }
}

std::vector<std::uint32_t> SoundPrints::Finish() {
    std::uint32_t* items = nullptr;
    int size = 0;
    if (!fine_ || chromaprint_finish(context_) != 1 || chromaprint_get_raw_fingerprint(context_, &items, &size) != 1)
        return {};
    std::vector<std::uint32_t> prints(items, items + std::max(size, 0));
    chromaprint_dealloc(items);
    return prints;
}

}  // namespace ruvo
