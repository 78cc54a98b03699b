#include "adapters/qt/StallWatch.h"

#include <algorithm>

namespace ruvo {
namespace {

constexpr int kTickMs = 5;
constexpr int kReportMs = 1000;

}  // namespace

StallWatch::StallWatch(std::function<void(qint64)> report) : report_(std::move(report)) {
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, &StallWatch::Tick);
    sinceTick_.start();
    sinceReport_.start();
    tick_.start();
}

void StallWatch::Tick() {
    longest_ = std::max(longest_, sinceTick_.restart() - kTickMs);
    if (sinceReport_.elapsed() < kReportMs) return;
    report_(longest_);
    longest_ = 0;
    sinceReport_.restart();
}

}  // namespace ruvo
