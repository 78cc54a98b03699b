#include "portal/EventGate.h"

namespace ruvo {

void EventGate::RunOrDefer(std::function<void()> event) {
    if (IsClosed()) deferred_.push_back(std::move(event));
    else event();
}

void EventGate::Release() {
    if (--holds_ > 0) return;
    // Events deferred while closed run in arrival order; one of them may
    // close the gate again, which defers the rest once more.
    while (!deferred_.empty() && !IsClosed()) {
        auto event = std::move(deferred_.front());
        deferred_.erase(deferred_.begin());
        event();
    }
}

}  // namespace ruvo
