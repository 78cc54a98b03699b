#include "adapters/qt/QtPopupMenus.h"

#include <QCursor>

#include "shell/TipMenus.h"

namespace ruvo {

QtPopupMenus::QtPopupMenus(QWidget* window, std::function<void(const std::string&)> onChoose) : window_(window) {
    for (const MenuName name : {MenuName::Tray, MenuName::HistoryRow, MenuName::TaskList}) {
        auto* menu = new QMenu;
        for (const MenuEntry& entry : EntriesOf(name)) {
            if (entry.item == "-") {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(entry.caption.data(), static_cast<int>(entry.caption.size())));
            action->setObjectName(QString::fromUtf8(entry.item.data(), static_cast<int>(entry.item.size())));
            const std::string item(entry.item);
            // Runs after the menu has closed, like the form's menu handlers.
            QObject::connect(action, &QAction::triggered, menu, [onChoose, item] { onChoose(item); }, Qt::QueuedConnection);
        }
        menus_[static_cast<size_t>(name)] = menu;
    }
}

QtPopupMenus::~QtPopupMenus() {
    for (QMenu* menu : menus_) delete menu;
}

void QtPopupMenus::PopUp(MenuName menu) { MenuOf(menu).popup(QCursor::pos()); }

void QtPopupMenus::PopUpAt(MenuName menu, int x, int y) {
    MenuOf(menu).popup(window_ ? window_->mapToGlobal(QPoint(x, y)) : QPoint(x, y));
}

QMenu* QtPopupMenus::OpenMenu() const {
    for (QMenu* menu : menus_)
        if (menu->isVisible()) return menu;
    return nullptr;
}

}  // namespace ruvo
