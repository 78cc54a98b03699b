#pragma once
// Timers of the main window. Ticks run on the user-interface thread, one
// handler at a time; a test drives them with a virtual clock instead.
#include <functional>
#include <memory>

namespace ruvo {

class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    // Enabling a stopped timer starts the interval from now; enabling a
    // running one changes nothing (a held key must not keep postponing it).
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetOnTick(std::function<void()> onTick) = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> CreateTimer() = 0;
};

}  // namespace ruvo
