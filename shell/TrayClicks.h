#pragma once
// Clicks on the tray icon.

namespace ruvo {

class MainWindow;

// Left click: a minimised window comes back; otherwise the window hides or shows.
void TrayLeftClick(MainWindow& window);
// Right click: the tray menu at the pointer.
void TrayRightClick(MainWindow& window);

}  // namespace ruvo
