#pragma once
// Timers on a virtual clock: Advance(ms) fires every due tick in time order,
// so a test steps minutes of timer time in microseconds and never sleeps.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Timer.h"

namespace ruvo::test {

class VirtualTimers final : public TimerFactory {
public:
    std::unique_ptr<Timer> CreateTimer() override;
    void Advance(int64_t milliseconds);
    int64_t Now() const { return now_; }
    // Whether a timer of this interval runs, and stopping those that do: the
    // timers as the program's parts switch them, found by their design's
    // interval.
    bool Running(int intervalMs) const;
    void Stop(int intervalMs);

private:
    class VirtualTimer;
    int64_t now_ = 0;
    std::vector<VirtualTimer*> timers_;
};

}  // namespace ruvo::test
