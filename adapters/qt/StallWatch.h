#pragma once
// Measures how long the event loop goes without running: a short timer notes
// the longest gap between its ticks and reports it once a second (for the
// diagnostic trace and the stall benchmark).
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace ruvo {

class StallWatch final : public QObject {
public:
    // `report` gets the longest gap of the last second beyond the tick itself, in ms.
    explicit StallWatch(std::function<void(qint64)> report);

private:
    void Tick();

    std::function<void(qint64)> report_;
    QTimer tick_;
    QElapsedTimer sinceTick_, sinceReport_;
    qint64 longest_ = 0;
};

}  // namespace ruvo
