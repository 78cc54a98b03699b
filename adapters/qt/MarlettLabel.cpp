#include "adapters/qt/MarlettLabel.h"

#include <QPainter>
#include <algorithm>

namespace ruvo {
namespace {

const QColor kPlate(0xe8, 0xe8, 0xe8);

}  // namespace

QString MarlettLabel::SymbolOf(const QString& caption) {
    if (caption == QLatin1String("r")) return QStringLiteral("✕");
    if (caption == QLatin1String("0")) return QStringLiteral("—");
    if (caption == QLatin1String("1")) return QStringLiteral("□");
    if (caption == QLatin1String("2")) return QStringLiteral("❐");
    return caption;
}

void MarlettLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPlate);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const QColor color = palette().color(foregroundRole());
    if (text() == QLatin1String("2")) return PaintRestore(painter, color);
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, SymbolOf(text()));
}

void MarlettLabel::PaintRestore(QPainter& painter, const QColor& color) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const int side = std::max(4, width() * 7 / 16);
    const int left = (width() - side) / 2 - 1, top = (height() - side) / 2 + 1;
    QPen pen(color, 1);
    painter.setPen(pen);
    // The window behind: its top and right edges show.
    painter.drawLine(left + 2, top - 2, left + side + 2, top - 2);
    painter.drawLine(left + side + 2, top - 2, left + side + 2, top + side - 2);
    // The window in front, with its title bar thicker.
    painter.setBrush(kPlate);
    painter.drawRect(left, top, side, side);
    painter.drawLine(left, top + 1, left + side, top + 1);
}

}  // namespace ruvo
