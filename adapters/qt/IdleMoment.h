#pragma once
// Runs an action once the machine has little else to do: work a user will
// soon want done, but which would slow what the start still does (pages
// loading in the engine's processes) if it ran at once.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace ruvo {

class IdleMoment final : public QObject {
public:
    // `action` runs once: when, over a quarter of a second, the whole machine
    // used less than a quarter of its processors, or at the latest
    // `patience` after Begin().
    explicit IdleMoment(std::function<void()> action, std::chrono::milliseconds patience = std::chrono::seconds(6));

    // Starts watching; later calls do nothing.
    void Begin();

private:
    // The machine's processor time so far (all processors), from /proc/stat.
    struct CpuTimes {
        unsigned long long busy = 0, total = 0;
    };
    static CpuTimes ReadCpuTimes();
    void Check();
    void Run();

    std::function<void()> action_;
    std::chrono::milliseconds patience_;
    QTimer check_;
    QElapsedTimer sinceBegin_;
    CpuTimes last_;
    bool begun_ = false;
};

}  // namespace ruvo
