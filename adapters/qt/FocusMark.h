#pragma once
// The mark around the control that has the keyboard's focus, the same on
// every control the window draws itself: a light frame that stands out
// from the dark skin.
#include <QColor>
#include <QPainter>
#include <QRect>

namespace ruvo {

inline constexpr QColor kFocusMarkColor{0xff, 0xff, 0xff};

inline void DrawFocusMark(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setPen(QPen(kFocusMarkColor, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace ruvo
