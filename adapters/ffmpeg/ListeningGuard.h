#pragma once
// What one listening may cost, and the check FFmpeg's interrupt callback
// makes while it waits on the network, reads, demuxes or seeks: a hostile
// or broken server (a file of 10 GB, a stream without end, a trickle) must
// not hold the worker or fill the memory.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace ruvo {

struct ListeningLimits {
    std::chrono::milliseconds wallTime{120'000};  // per episode, opening to the last sample
    std::int64_t bytes = 256 << 20;               // read from the address, per episode
    // Read by the seek to the tail: a format without an index seeks by
    // reading on, which over the web would fetch the whole file.
    std::int64_t seekBytes = 16 << 20;
    std::chrono::milliseconds networkTimeout{15'000};  // a connection that says nothing this long
};

class ListeningGuard {
public:
    enum class Stop { None, Cancelled, TimeUp, TooLarge, SeekTooCostly };

    ListeningGuard(const std::atomic<bool>& cancelled, const ListeningLimits& limits);

    // True when the work must stop, `bytesRead` being what was read so far;
    // the first reason sticks.
    bool ShouldStop(std::int64_t bytesRead);
    Stop Reason() const { return reason_; }
    // Stopped for a reason that spoils the whole episode (not a costly seek).
    bool Failed() const { return reason_ != Stop::None && reason_ != Stop::SeekTooCostly; }

    // While seeking: at most limits.seekBytes more than `bytesRead`.
    void BeginSeek(std::int64_t bytesRead) { seekCeiling_ = bytesRead + limits_.seekBytes; }
    void EndSeek() { seekCeiling_ = -1; }

    const ListeningLimits& Limits() const { return limits_; }

private:
    const std::atomic<bool>& cancelled_;
    const ListeningLimits limits_;
    const std::chrono::steady_clock::time_point deadline_;
    std::int64_t seekCeiling_ = -1;
    Stop reason_ = Stop::None;
};

}  // namespace ruvo
