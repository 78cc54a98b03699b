#pragma once
#include "platform/Timer.h"

namespace ruvo {

// Timers on Qt's event loop (QTimer).
class QtTimers final : public TimerFactory {
public:
    std::unique_ptr<Timer> CreateTimer() override;
};

}  // namespace ruvo
