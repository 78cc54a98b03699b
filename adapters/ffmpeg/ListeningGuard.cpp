#include "adapters/ffmpeg/ListeningGuard.h"

namespace ruvo {

ListeningGuard::ListeningGuard(const std::atomic<bool>& cancelled, const ListeningLimits& limits)
    : cancelled_(cancelled), limits_(limits), deadline_(std::chrono::steady_clock::now() + limits.wallTime) {}

bool ListeningGuard::ShouldStop(std::int64_t bytesRead) {
    if (reason_ != Stop::None) return true;
    if (cancelled_.load(std::memory_order_relaxed))
        reason_ = Stop::Cancelled;
    else if (bytesRead > limits_.bytes)
        reason_ = Stop::TooLarge;
    else if (seekCeiling_ >= 0 && bytesRead > seekCeiling_)
        reason_ = Stop::SeekTooCostly;
    else if (std::chrono::steady_clock::now() > deadline_)
        reason_ = Stop::TimeUp;
    return reason_ != Stop::None;
}

}  // namespace ruvo
