#include "adapters/qt/IdleMoment.h"

#include <fstream>
#include <sstream>
#include <string>

namespace ruvo {

namespace {
constexpr int kCheckMs = 250;
constexpr double kIdleShare = 0.25;  // of all processors' time
}  // namespace

IdleMoment::IdleMoment(std::function<void()> action, std::chrono::milliseconds patience)
    : action_(std::move(action)), patience_(patience) {
    check_.setInterval(kCheckMs);
    connect(&check_, &QTimer::timeout, this, [this] { Check(); });
}

void IdleMoment::Begin() {
    if (begun_) return;
    begun_ = true;
    last_ = ReadCpuTimes();
    sinceBegin_.start();
    check_.start();
}

IdleMoment::CpuTimes IdleMoment::ReadCpuTimes() {
    // "cpu  user nice system idle iowait irq softirq steal ...", in ticks.
    std::ifstream stat("/proc/stat");
    std::string line, label;
    std::getline(stat, line);
    std::istringstream fields(line);
    fields >> label;
    CpuTimes times;
    unsigned long long value = 0;
    for (int i = 0; fields >> value; ++i) {
        times.total += value;
        if (i != 3 && i != 4) times.busy += value;  // idle and iowait are not work
    }
    return times;
}

void IdleMoment::Check() {
    const CpuTimes now = ReadCpuTimes();
    const unsigned long long total = now.total - last_.total;
    const double busyShare = total == 0 ? 1.0 : static_cast<double>(now.busy - last_.busy) / static_cast<double>(total);
    last_ = now;
    // Without /proc/stat nothing can be told: patience decides.
    if ((total > 0 && busyShare < kIdleShare) || sinceBegin_.elapsed() >= patience_.count()) Run();
}

void IdleMoment::Run() {
    check_.stop();
    if (!action_) return;
    auto action = std::move(action_);
    action_ = nullptr;
    action();
}

}  // namespace ruvo
