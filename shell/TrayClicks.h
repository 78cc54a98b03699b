#pragma once
// Clicks on the tray icon.

#include "platform/MainWindowHost.h"
#include "platform/PopupMenus.h"

namespace ruvo {

class TitleButtons;

// Left click: a minimised window comes back; otherwise the window hides or shows.
void TrayLeftClick(MainWindowHost& host, TitleButtons& title);
// Right click: the tray menu at the pointer.
void TrayRightClick(PopupMenus& menus);

}  // namespace ruvo
