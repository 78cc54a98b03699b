#include "shell/TrayClicks.h"

#include "portal/MainWindow.h"
#include "shell/TitleButtons.h"

namespace ruvo {

void TrayLeftClick(MainWindow& window) {
    MainWindowHost& host = window.Host();
    if (host.IsMinimized()) host.ShowNormal();
    else if (host.IsVisible()) window.Title().HideToTray();
    else host.Show();
}

void TrayRightClick(MainWindow& window) { window.Menus().PopUp(MenuName::Tray); }

}  // namespace ruvo
