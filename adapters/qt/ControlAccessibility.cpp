#include "adapters/qt/ControlAccessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

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
        if (action == pressAction()) Cell()->Activate();
        else QAccessibleWidget::doAction(action);
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
    QVariant currentValue() const override { return Track()->Value(); }
    void setCurrentValue(const QVariant& value) override { Track()->RequestValue(value.toInt()); }
    QVariant maximumValue() const override { return Track()->Maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return Track()->Step(); }

private:
    SliderTrack* Track() const { return static_cast<SliderTrack*>(widget()); }
};

// The role a label of the main window speaks in, by what it is: the status
// line and the times change while the user does something else (live), a
// notice interrupts (an alert), the list action and the restore sign act on
// a press (buttons), the player bar holds the player's controls.
QAccessible::Role LabelRole(const QString& objectName) {
    if (objectName == QLatin1String("statusLine") || objectName == QLatin1String("playTimes")) return QAccessible::StatusBar;
    if (objectName.endsWith(QLatin1String("Notice"))) return QAccessible::AlertMessage;
    if (objectName == QLatin1String("listAction") || objectName == QLatin1String("restoreLabel")) return QAccessible::Button;
    if (objectName == QLatin1String("playerBar")) return QAccessible::ToolBar;
    return QAccessible::StaticText;
}

// A label of the main window, read as its text (or its own name). The role
// is looked up when asked: a label is often heard of before it has a name.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override { return LabelRole(widget()->objectName()); }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        if (role() == QAccessible::Button) return QStringList{pressAction()} + QAccessibleWidget::actionNames();
        return QAccessibleWidget::actionNames();
    }
    // Pressed as Space presses it with the focus on it.
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QCoreApplication::sendEvent(widget(), &space);
    }
};

// The boxes a reader can tell apart: the window's three areas.
class AreaAccessible final : public QAccessibleWidget {
public:
    explicit AreaAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::Grouping) {}
};

bool InMainWindow(const QWidget* widget) { return widget->window()->objectName() == QLatin1String("mainWindow"); }

bool IsArea(const QWidget* widget) {
    const QString name = widget->objectName();
    return name == QLatin1String("leftPanel") || name == QLatin1String("rightPanel") || name == QLatin1String("playerBox");
}

QAccessibleInterface* ControlInterface(const QString&, QObject* object) {
    if (auto* cell = qobject_cast<SkinCell*>(object)) return new SkinCellAccessible(cell);
    if (auto* track = qobject_cast<SliderTrack*>(object)) return new SliderAccessible(track);
    if (auto* label = qobject_cast<QLabel*>(object); label && InMainWindow(label)) return new LabelAccessible(label);
    if (auto* widget = qobject_cast<QWidget*>(object); widget && IsArea(widget)) return new AreaAccessible(widget);
    return nullptr;
}

}  // namespace

void InstallControlAccessibility() { QAccessible::installFactory(ControlInterface); }

}  // namespace ruvo
