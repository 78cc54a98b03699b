#include "shell/TrayClicks.h"

#include "shell/TitleButtons.h"

namespace ruvo {

void TrayLeftClick(MainWindowHost& host, TitleButtons& title) {
    if (host.IsMinimized()) host.ShowNormal();
    else if (host.IsVisible()) title.HideToTray();
    else host.Show();
}

void TrayRightClick(PopupMenus& menus) { menus.PopUp(MenuName::Tray); }

}  // namespace ruvo
