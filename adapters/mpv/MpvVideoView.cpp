#include "adapters/mpv/MpvVideoView.h"

#include <QWidget>

#include "adapters/mpv/MpvGlVideoView.h"
#include "adapters/mpv/MpvSoftwareVideoView.h"

namespace ruvo {

MpvVideoView* MpvVideoView::Create(Kind kind, QWidget* parent) {
    if (kind == Kind::Software) return new MpvSoftwareVideoView(parent);
    return new MpvGlVideoView(parent);
}

void MpvVideoView::ReportPlace() {
    QWidget* widget = Widget();
    if (!placeObserver_ || !widget->isVisible()) return;
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    placeObserver_(at.x(), at.y(), widget->width(), widget->height());
}

}  // namespace ruvo
