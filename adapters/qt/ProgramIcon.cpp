#include "adapters/qt/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ruvo {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        painter.setBrush(QColor(0x26, 0x26, 0x2b));
        painter.setPen(QPen(QColor(0xf0, 0xb4, 0x29), s / 24.0));
        painter.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.2, s * 0.2);
        QPainterPath play;
        play.moveTo(s * 0.38, s * 0.27);
        play.lineTo(s * 0.76, s * 0.5);
        play.lineTo(s * 0.38, s * 0.73);
        play.closeSubpath();
        painter.fillPath(play, QColor(0xf0, 0xb4, 0x29));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace ruvo
