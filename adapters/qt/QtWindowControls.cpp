#include "adapters/qt/QtWindowControls.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include "base/BidiControls.h"
#include "adapters/qt/SkinCell.h"
#include "adapters/qt/SliderTrack.h"

namespace ruvo {
namespace {

// A label set to keep a margin to its parent's right edge (the time label)
// grows and shrinks to the left.
void KeepRightMargin(QLabel* label) {
    const QVariant margin = label->property(kRightMarginProperty);
    if (!margin.isValid() || !label->parentWidget()) return;
    label->move(label->parentWidget()->width() - label->width() - margin.toInt(), label->y());
}

}  // namespace

void QtWindowControls::Register(ControlId control, QWidget* widget) {
    widgets_[KeyOf(control)] = widget;
    controlsOf_[widget] = control;
}

std::optional<ControlId> QtWindowControls::ControlOf(const QObject* widget) const {
    const auto found = controlsOf_.find(widget);
    if (found == controlsOf_.end()) return std::nullopt;
    return found->second;
}

QWidget* QtWindowControls::WidgetOf(ControlId control) const {
    const auto it = widgets_.find(KeyOf(control));
    return it == widgets_.end() ? nullptr : it->second;
}

void QtWindowControls::SetText(ControlId control, const std::string& text) {
    QWidget* widget = WidgetOf(control);
    // What the user typed stays as typed; every other text may come from outside.
    const bool typed = qobject_cast<QLineEdit*>(widget) != nullptr;
    const QString qtext = QString::fromStdString(typed ? text : ShownText(text));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setTextFormat(Qt::PlainText);  // texts come from the portal too: never markup
        label->setText(qtext);
        label->adjustSize();  // labels size themselves to their text
        KeepRightMargin(label);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(qtext);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(qtext);
    }
}

void QtWindowControls::SetTooltip(ControlId control, const std::string& text) {
    if (QWidget* widget = WidgetOf(control)) widget->setToolTip(QString::fromStdString(ShownText(text)));
}

void QtWindowControls::SetVisible(ControlId control, bool visible) {
    values_[KeyOf(control)].visible = visible;
    if (const auto held = overridden_.find(KeyOf(control)); held != overridden_.end()) {
        held->second = visible;
        return;
    }
    if (QWidget* widget = WidgetOf(control)) widget->setVisible(visible);
}

void QtWindowControls::Override(ControlId control, std::optional<bool> shown) {
    QWidget* widget = WidgetOf(control);
    const auto held = overridden_.find(KeyOf(control));
    if (!shown) {
        if (held == overridden_.end()) return;
        const bool wanted = held->second;
        overridden_.erase(held);
        if (widget) widget->setVisible(wanted);
        return;
    }
    if (held == overridden_.end()) overridden_[KeyOf(control)] = widget ? !widget->isHidden() : values_[KeyOf(control)].visible;
    if (widget) widget->setVisible(*shown);
}

void QtWindowControls::SetEnabled(ControlId control, bool enabled) {
    if (QWidget* widget = WidgetOf(control)) widget->setEnabled(enabled);
}

void QtWindowControls::SetPicture(ControlId control, int image) {
    if (drawer_) drawer_(control, image, WidgetOf(control));
    // Tabs show their selected cell as a checked button until the skin draws them.
    if (auto* button = qobject_cast<QAbstractButton*>(WidgetOf(control)); button && button->isCheckable())
        button->setChecked(image == 1);
}

void QtWindowControls::Describe(ControlId control, const SpokenControl& spoken) {
    QWidget* widget = WidgetOf(control);
    if (!widget) return;
    widget->setAccessibleName(QString::fromStdString(spoken.name));
    if (auto* cell = qobject_cast<SkinCell*>(widget)) cell->SetOn(spoken.on);
}

void QtWindowControls::SetSliderValue(ControlId track, SliderValue value) {
    if (auto* slider = qobject_cast<SliderTrack*>(WidgetOf(track))) slider->SetValue(value.value, value.maximum);
}

void QtWindowControls::SetDownloaded(ControlId track, int perMille) {
    if (auto* slider = qobject_cast<SliderTrack*>(WidgetOf(track))) slider->SetDownloaded(perMille);
}

Rect QtWindowControls::Geometry(ControlId control) const {
    if (QWidget* widget = WidgetOf(control)) {
        const QRect g = widget->geometry();
        return {g.left(), g.top(), g.width(), g.height()};
    }
    return values_[KeyOf(control)].rect;
}

void QtWindowControls::Move(ControlId control, const Rect& rect) {
    values_[KeyOf(control)].rect = rect;
    if (QWidget* widget = WidgetOf(control)) widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace ruvo
