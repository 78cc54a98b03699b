#pragma once
// The pop-up menus of the hidden menu window. The chosen entry is reported to
// the logic by its item name (TipMenus::Choose) through the program's wiring.

namespace ruvo {

enum class MenuName {
    Tray,        // the tray icon's menu, also the title bar's menu button
    HistoryRow,  // a row's menu in the watch-history page
    TaskList,    // the task-list label's menu
};

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // Pops the menu up at the mouse pointer.
    virtual void PopUp(MenuName menu) = 0;
    // Pops the menu up at (x, y) of the main window's own coordinates.
    virtual void PopUpAt(MenuName menu, int x, int y) = 0;
};

}  // namespace ruvo
