#include "composition/BenchmarkTrace.h"

#include <QTimer>
#include <QWebEngineView>

namespace ruvo {

std::unique_ptr<StallWatch> TraceForBenchmarks(MainWindowWidget& widget, QtTrayIcon& trayIcon,
                                                     TraceLog& trace) {
    auto stalls = std::make_unique<StallWatch>([&trace](qint64 ms) { trace.Line("stall " + std::to_string(ms)); });
    QObject::connect(&widget.Pane(Pane::PortalPage), &QWebEngineView::loadFinished, &widget,
                     [&trace, shown = false](bool ok) mutable {
                         if (ok && !shown) trace.Line("shown Web1");
                         shown = shown || ok;
                     });
    QTimer::singleShot(1000, &widget, [&widget, &trace, &trayIcon] {
        for (const ControlId control :
             {ControlId{ControlName::SeekTrack}, ControlId{ControlName::VolumeTrack}, ControlOf(WindowButton::Maximize),
              ControlOf(WindowButton::Close), ControlOf(WindowButton::Menu), ControlOf(WindowButton::HistoryTab),
              ControlOf(WindowButton::LocalFilesTab), ControlId{ControlName::ListAction}, ControlOf(WindowButton::Compact),
              ControlOf(WindowButton::TopMost), ControlOf(WindowButton::LeftPanelToggle),
              ControlId{ControlName::TransportButton, 2}, ControlId{ControlName::TransportButton, 3},
              ControlId{ControlName::SearchBox}, ControlId{ControlName::MainPaneBox}})
            trace.Line("place " + TraceName(control) + "=" + widget.PlaceOf(control));
        trace.Line("place tray=" + trayIcon.Place());
    });
    return stalls;
}

}  // namespace ruvo
