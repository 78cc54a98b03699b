#include "fakes/VirtualTimers.h"

#include <algorithm>
#include <limits>

namespace ruvo::test {

class VirtualTimers::VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualTimers& owner) : owner_(owner) { owner_.timers_.push_back(this); }
    ~VirtualTimer() override { std::erase(owner_.timers_, this); }
    void SetInterval(int ms) override {
        interval_ = ms;
        if (enabled_) due_ = owner_.now_ + ms;
    }
    void SetEnabled(bool on) override {
        if (on && !enabled_) due_ = owner_.now_ + interval_;
        enabled_ = on;
    }
    bool IsEnabled() const override { return enabled_; }
    void SetOnTick(std::function<void()> tick) override { onTick_ = std::move(tick); }

    int64_t due_ = 0;
    bool enabled_ = false;
    int interval_ = 0;
    std::function<void()> onTick_;

private:
    VirtualTimers& owner_;
};

std::unique_ptr<Timer> VirtualTimers::CreateTimer() { return std::make_unique<VirtualTimer>(*this); }

void VirtualTimers::Advance(int64_t milliseconds) {
    const int64_t end = now_ + milliseconds;
    for (;;) {
        VirtualTimer* next = nullptr;
        for (VirtualTimer* t : timers_)
            if (t->enabled_ && t->interval_ > 0 && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
        if (!next) break;
        now_ = next->due_;
        next->due_ += next->interval_;
        if (next->onTick_) next->onTick_();
    }
    now_ = end;
}

bool VirtualTimers::Running(int intervalMs) const {
    return std::ranges::any_of(timers_, [&](const VirtualTimer* t) { return t->enabled_ && t->interval_ == intervalMs; });
}

void VirtualTimers::Stop(int intervalMs) {
    for (VirtualTimer* t : timers_)
        if (t->interval_ == intervalMs) t->SetEnabled(false);
}

}  // namespace ruvo::test
