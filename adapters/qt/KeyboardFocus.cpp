#include "adapters/qt/KeyboardFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QVariant>

#include "adapters/qt/SkinCell.h"
#include "adapters/qt/SliderTrack.h"

namespace ruvo {
namespace {

constexpr const char* kPressable = "pressable";

bool IsPressKey(int key) { return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsSliderKey(int key) {
    switch (key) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
            return true;
        default: return false;
    }
}

bool IsPressable(const QObject* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const SkinCell*>(widget) ||
           widget->property(kPressable).toBool();
}

}  // namespace

void MakePressable(QWidget* label) {
    label->setProperty(kPressable, true);
    label->setFocusPolicy(Qt::TabFocus);
}

bool ControlKeepsKey(const QObject* watched, const QKeyEvent* key) {
    const bool alone = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!alone) return false;
    if (IsPressKey(key->key())) return IsPressable(watched);
    if (IsSliderKey(key->key())) return qobject_cast<const SliderTrack*>(watched) != nullptr;
    return false;
}

bool PressButtonOnEnter(QObject* watched, const QKeyEvent* key) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)) return false;
    button->animateClick();
    return true;
}

bool MoveFocusAlong(const std::vector<QWidget*>& order, bool forwards) {
    const QWidget* focus = QApplication::focusWidget();
    const int count = static_cast<int>(order.size());
    int current = forwards ? -1 : count;
    for (int i = 0; i < count; ++i)
        if (focus && (order[i] == focus || order[i]->isAncestorOf(focus))) current = i;
    for (int step = 1; step <= count; ++step) {
        QWidget* next = order[((current + (forwards ? step : -step)) % count + count) % count];
        // A web pane takes the focus into its page, whatever its own policy says.
        const bool takesFocus = next->focusPolicy() & Qt::TabFocus || next->inherits("QWebEngineView");
        if (next->isVisible() && next->isEnabled() && takesFocus) {
            next->setFocus(forwards ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void MoveFocusAcross(const std::vector<FocusArea>& areas, bool backwards) {
    const QWidget* focus = QApplication::focusWidget();
    const int count = static_cast<int>(areas.size());
    int current = backwards ? 0 : -1;
    for (int i = 0; i < count; ++i)
        if (focus && (areas[i].box == focus || areas[i].box->isAncestorOf(focus))) current = i;
    for (int step = 1; step <= count; ++step) {
        const FocusArea& next = areas[((current + (backwards ? -step : step)) % count + count) % count];
        if (next.target && next.target->isVisible()) return next.target->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace ruvo
