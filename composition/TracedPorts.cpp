#include "composition/TracedPorts.h"

#include <QTimer>

namespace ruvo {

void TraceFullScreenBar(ruvo::MpvPlayer& player, ruvo::MainWindowWidget& widget, ruvo::TraceLog& trace) {
    player.SetFullScreenRequest([&widget, &trace](bool on) {
        widget.SetPlayerFullScreen(on);
        QTimer::singleShot(500, &widget, [&widget, &trace] {
            const ruvo::ControlId button{ruvo::ControlName::TransportButton, 3};
            trace.Line("place " + ruvo::TraceName(button) + "=" + widget.PlaceOf(button));
        });
    });
}

}  // namespace ruvo
