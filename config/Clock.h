#pragma once
// The wall clock and the random source, as a port so tests can fix them.

namespace ruvo {

struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual LocalDateTime LocalNow() = 0;
    // A random number in [0, 1), seeded from the clock on first use.
    virtual double Random() = 0;
};

// The system clock and a clock-seeded generator.
Clock& SystemClock();

}  // namespace ruvo
