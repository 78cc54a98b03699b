#include "adapters/qt/QtPlayerMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <map>
#include <string>

namespace ruvo {
namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// The key shows in the menu's shortcut column (after a tab), as in every
// desktop menu; the menu itself never takes the key.
QString CaptionWithKey(const PlayerMenuEntry& entry) {
    return entry.keyName.empty() ? Utf8(entry.caption) : Utf8(entry.caption) + QLatin1Char('\t') + Utf8(entry.keyName);
}

}  // namespace

void PopUpPlayerMenu(QWidget* parent, const std::vector<PlayerMenuEntry>& entries, QPoint at,
                     std::function<void(const PlayerMenuEntry&)> chosen) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("playerMenu"));
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    std::map<std::string, QMenu*> submenus;
    std::map<std::pair<std::string, PlayerCommand>, QActionGroup*> choices;  // one choice of many: radio items
    for (const PlayerMenuEntry& entry : entries) {
        QMenu* into = menu;
        if (!entry.submenu.empty()) {
            QMenu*& submenu = submenus[entry.submenu];
            if (!submenu) submenu = menu->addMenu(Utf8(entry.submenu));
            into = submenu;
        }
        if (entry.caption == "-") {
            into->addSeparator();
            continue;
        }
        QAction* action = into->addAction(CaptionWithKey(entry));
        action->setCheckable(entry.checkable);
        if (entry.checkable) {
            QActionGroup*& group = choices[{entry.submenu, entry.command}];
            if (!group) group = new QActionGroup(menu);
            group->addAction(action);
        }
        action->setChecked(entry.checked);
        action->setEnabled(entry.enabled);
        // Runs after the menu has closed and gone (a dialog it opens is not
        // under it), so it is queued on the window, not on the menu.
        QObject::connect(action, &QAction::triggered, parent, [chosen, entry] { chosen(entry); }, Qt::QueuedConnection);
    }
    menu->popup(at);
}

}  // namespace ruvo
