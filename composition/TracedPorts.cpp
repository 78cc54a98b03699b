#include "composition/TracedPorts.h"

#include <QTimer>

namespace ruvo {

void TraceFullScreenBar(MpvPlayer& player, MainWindowWidget& widget, TraceLog& trace) {
    player.SetFullScreenRequest([&widget, &trace](bool on) {
        widget.SetPlayerFullScreen(on);
        QTimer::singleShot(500, &widget, [&widget, &trace] {
            const ControlId button{ControlName::TransportButton, 3};
            trace.Line("place " + TraceName(button) + "=" + widget.PlaceOf(button));
        });
    });
}

}  // namespace ruvo
