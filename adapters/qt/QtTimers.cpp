#include "adapters/qt/QtTimers.h"

#include <QTimer>

namespace ruvo {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTick_) onTick_();
        });
    }
    void SetInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    void SetEnabled(bool enabled) override {
        if (enabled && !timer_.isActive()) timer_.start();
        else if (!enabled) timer_.stop();
    }
    bool IsEnabled() const override { return timer_.isActive(); }
    void SetOnTick(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

private:
    QTimer timer_;
    std::function<void()> onTick_;
};

}  // namespace

std::unique_ptr<Timer> QtTimers::CreateTimer() { return std::make_unique<QtTimer>(); }

}  // namespace ruvo
