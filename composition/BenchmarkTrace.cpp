#include "composition/BenchmarkTrace.h"

#include <QTimer>
#include <QWebEngineView>

namespace ruvo {

std::unique_ptr<ruvo::StallWatch> TraceForBenchmarks(ruvo::MainWindowWidget& widget, ruvo::QtTrayIcon& trayIcon,
                                                     ruvo::TraceLog& trace) {
    auto stalls = std::make_unique<ruvo::StallWatch>([&trace](qint64 ms) { trace.Line("stall " + std::to_string(ms)); });
    QObject::connect(&widget.Pane(ruvo::Pane::PortalPage), &QWebEngineView::loadFinished, &widget,
                     [&trace, shown = false](bool ok) mutable {
                         if (ok && !shown) trace.Line("shown Web1");
                         shown = shown || ok;
                     });
    QTimer::singleShot(1000, &widget, [&widget, &trace, &trayIcon] {
        using ruvo::ControlId, ruvo::ControlName;
        for (const ControlId control : {ControlId{ControlName::SeekTrack}, ControlId{ControlName::VolumeTrack},
                                        ControlId{ControlName::WindowButton, 1}, ControlId{ControlName::WindowButton, 2},
                                        ControlId{ControlName::WindowButton, 5}, ControlId{ControlName::WindowButton, 7},
                                        ControlId{ControlName::WindowButton, 8}, ControlId{ControlName::ListAction},
                                        ControlId{ControlName::WindowButton, 3}, ControlId{ControlName::WindowButton, 4},
                                        ControlId{ControlName::WindowButton, 10}, ControlId{ControlName::TransportButton, 2},
                                        ControlId{ControlName::TransportButton, 3},
                                        ControlId{ControlName::SearchBox}, ControlId{ControlName::MainPaneBox}})
            trace.Line("place " + ruvo::TraceName(control) + "=" + widget.PlaceOf(control));
        trace.Line("place tray=" + trayIcon.Place());
    });
    return stalls;
}

}  // namespace ruvo
