#include "adapters/qt/SkinCell.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "adapters/qt/FocusMark.h"

namespace ruvo {

SkinCell::SkinCell(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setMouseTracking(true);
    // Reached with Tab, never taken by a click: a click leaves the keys with the player.
    setFocusPolicy(kind == Kind::TabStrip ? Qt::NoFocus : Qt::TabFocus);
}

void SkinCell::SetOn(std::optional<bool> on) {
    if (on == on_) return;
    on_ = on;
    QAccessible::State changed;
    changed.checked = kind_ == Kind::Button;
    changed.selected = kind_ == Kind::Tab;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void SkinCell::Activate() {
    if (onClick) onClick();
}

void SkinCell::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) return Activate();
    QWidget::keyPressEvent(event);
}

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
    if (hasFocus()) DrawFocusMark(painter, rect());
}

void SkinCell::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (onMove) onMove(at.x(), at.y());
}

void SkinCell::mousePressEvent(QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

void SkinCell::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) Activate();
}

void SkinCell::leaveEvent(QEvent*) {
    if (onMove) onMove(-1, -1);
}

}  // namespace ruvo
