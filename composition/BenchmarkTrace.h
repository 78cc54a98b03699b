#pragma once
// Lines of the diagnostic trace the benchmarks time and place by.
#include <memory>

#include "app/TraceLog.h"
#include "adapters/qt/MainWindowWidget.h"
#include "adapters/qt/QtTrayIcon.h"
#include "adapters/qt/StallWatch.h"

namespace ruvo {

// The event loop's longest pause each second, when the portal's home page
// first shows, and where the sliders, title buttons and tray icon are once
// the window is laid out.
std::unique_ptr<StallWatch> TraceForBenchmarks(MainWindowWidget& widget, QtTrayIcon& trayIcon, TraceLog& trace);

}  // namespace ruvo
