#include "adapters/qt/SliderTrack.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

#include "adapters/qt/FocusMark.h"

namespace ruvo {

SliderTrack::SliderTrack(int step, QWidget* parent) : QWidget(parent), step_(step) {
    setAttribute(Qt::WA_StyledBackground);
    // Reached with Tab, never taken by a click: a click leaves the keys with the player.
    setFocusPolicy(Qt::TabFocus);
}

void SliderTrack::SetValue(int value, int maximum) {
    if (value == value_ && maximum == maximum_) return;
    value_ = value;
    maximum_ = maximum;
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void SliderTrack::RequestValue(int value) {
    if (onRequest) onRequest(std::clamp(value, 0, std::max(maximum_, 0)));
}

void SliderTrack::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: case Qt::Key_Down: return RequestValue(value_ - step_);
        case Qt::Key_Right: case Qt::Key_Up: return RequestValue(value_ + step_);
        case Qt::Key_PageDown: return RequestValue(value_ - 6 * step_);
        case Qt::Key_PageUp: return RequestValue(value_ + 6 * step_);
        case Qt::Key_Home: return RequestValue(0);
        case Qt::Key_End: return RequestValue(maximum_);
        default: QWidget::keyPressEvent(event);
    }
}

void SliderTrack::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);  // the style sheet's track
    if (hasFocus()) DrawFocusMark(painter, rect());
}

}  // namespace ruvo
