#include "adapters/qt/ControlAccessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include "adapters/qt/SkinCell.h"
#include "adapters/qt/SliderTrack.h"

namespace ruvo {
namespace {

// A skinned title button, panel toggle or tab: pressed through the reader's
// default action; a tab says whether it is the selected one, the top-most
// button whether it is down.
class SkinCellAccessible final : public QAccessibleWidget {
public:
    explicit SkinCellAccessible(SkinCell* cell) : QAccessibleWidget(cell, RoleOf(cell->CellKind())) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return Cell()->Text();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const std::optional<bool> on = Cell()->On()) {
            if (Cell()->CellKind() == SkinCell::Kind::Tab) {
                state.selectable = true;
                state.selected = *on;
            } else {
                state.checkable = true;
                state.checked = *on;
            }
        }
        return state;
    }
    QStringList actionNames() const override {
        if (Cell()->CellKind() == SkinCell::Kind::TabStrip) return {};
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        // After the reader's call returns, as Qt's own buttons do: a press
        // that asks a question would hold the reader until it is answered.
        QMetaObject::invokeMethod(
            Cell(), [cell = QPointer<SkinCell>(Cell())] { if (cell) cell->Activate(); }, Qt::QueuedConnection);
    }

private:
    static QAccessible::Role RoleOf(SkinCell::Kind kind) {
        switch (kind) {
            case SkinCell::Kind::Tab: return QAccessible::PageTab;
            case SkinCell::Kind::TabStrip: return QAccessible::PageTabList;
            default: return QAccessible::Button;
        }
    }
    SkinCell* Cell() const { return static_cast<SkinCell*>(widget()); }
};

// The seek and volume sliders: their value and range, and a value a reader sets.
class SliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(SliderTrack* track) : QAccessibleWidget(track, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return QString::number(Track()->Value());
        return QAccessibleWidget::text(kind);
    }
    // The knob and the filled parts are the slider's drawing, not controls.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QVariant currentValue() const override { return Track()->Value(); }
    void setCurrentValue(const QVariant& value) override { Track()->RequestValue(value.toInt()); }
    QVariant maximumValue() const override { return Track()->Maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return Track()->Step(); }

private:
    SliderTrack* Track() const { return static_cast<SliderTrack*>(widget()); }
};

constexpr const char* kSpokenRole = "spokenRole";
constexpr const char* kOwnLabels = "spokenLabelRoles";
constexpr const char* kSelected = "selectedTab";

// The role given a widget, or `otherwise`. Looked up when asked: a label is
// often heard of before it has its role.
QAccessible::Role RoleOf(const QWidget* widget, QAccessible::Role otherwise) {
    const QVariant role = widget->property(kSpokenRole);
    return role.isValid() ? static_cast<QAccessible::Role>(role.toInt()) : otherwise;
}

// A label of the program's windows, read as its text (or its own name), in
// the role given it: the status line and the times change while the user
// does something else (live), a notice interrupts (an alert), the list
// action and the restore sign act on a press (buttons), a dialog's strip of
// labels are its tabs.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override { return RoleOf(widget(), QAccessible::StaticText); }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::PageTab) {
            state.selectable = true;
            state.selected = IsMarkedSelected(widget());
        }
        return state;
    }
    QStringList actionNames() const override {
        if (role() == QAccessible::Button || role() == QAccessible::PageTab)
            return QStringList{pressAction()} + QAccessibleWidget::actionNames();
        return QAccessibleWidget::actionNames();
    }
    // Pressed as Space presses it with the focus on it, once the reader's call has returned.
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
    }
};

// A box a reader can tell apart: the window's three areas, the player bar.
class AreaAccessible final : public QAccessibleWidget {
public:
    explicit AreaAccessible(QWidget* box) : QAccessibleWidget(box) {}
    QAccessible::Role role() const override { return RoleOf(widget(), QAccessible::Pane); }
};

bool InWindowWithOwnLabels(const QWidget* widget) { return widget->window()->property(kOwnLabels).toBool(); }

QAccessibleInterface* ControlInterface(const QString&, QObject* object) {
    if (auto* cell = qobject_cast<SkinCell*>(object)) return new SkinCellAccessible(cell);
    if (auto* track = qobject_cast<SliderTrack*>(object)) return new SliderAccessible(track);
    if (auto* label = qobject_cast<QLabel*>(object); label && InWindowWithOwnLabels(label))
        return new LabelAccessible(label);
    if (auto* box = qobject_cast<QWidget*>(object); box && box->property(kSpokenRole).isValid())
        return new AreaAccessible(box);
    return nullptr;
}

}  // namespace

void InstallControlAccessibility() { QAccessible::installFactory(ControlInterface); }

void GiveLabelsTheirRoles(QWidget* window) { window->setProperty(kOwnLabels, true); }

void SetSpokenRole(QWidget* widget, QAccessible::Role role) { widget->setProperty(kSpokenRole, static_cast<int>(role)); }

void MarkSelected(QWidget* tab, bool selected) {
    if (IsMarkedSelected(tab) == selected && tab->property(kSelected).isValid()) return;
    tab->setProperty(kSelected, selected);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(tab, changed);
    QAccessible::updateAccessibility(&event);
}

bool IsMarkedSelected(const QWidget* tab) { return tab->property(kSelected).toBool(); }


}  // namespace ruvo
