#include "platform/qt/MarlettLabel.h"

#include <QPainter>

namespace ruvo {

QString MarlettLabel::SymbolOf(const QString& caption) {
    if (caption == QLatin1String("r")) return QStringLiteral("✕");
    if (caption == QLatin1String("0")) return QStringLiteral("—");
    if (caption == QLatin1String("1")) return QStringLiteral("□");
    if (caption == QLatin1String("2")) return QStringLiteral("❐");
    return caption;
}

void MarlettLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignCenter, SymbolOf(text()));
}

}  // namespace ruvo
