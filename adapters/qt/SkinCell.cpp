#include "adapters/qt/SkinCell.h"

#include <QMouseEvent>
#include <QPainter>

namespace ruvo {

SkinCell::SkinCell(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void SkinCell::SetCell(const QPixmap& cell) {
    cell_ = cell;
    update();
}

void SkinCell::SetText(const QString& text) {
    text_ = text;
    update();
}

void SkinCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!cell_.isNull()) painter.drawPixmap(rect(), cell_);
    if (!text_.isEmpty()) {
        painter.setPen(QColor(0xd8, 0xd8, 0xd8));
        painter.drawText(rect(), Qt::AlignCenter, text_);
    }
}

void SkinCell::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (onMove) onMove(at.x(), at.y());
}

void SkinCell::mousePressEvent(QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

void SkinCell::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && onClick) onClick();
}

void SkinCell::leaveEvent(QEvent*) {
    if (onMove) onMove(-1, -1);
}

}  // namespace ruvo
