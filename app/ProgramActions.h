#pragma once
// What the program as a whole does for the window: the update check shortly
// after start, the tray menu's offer of a new version and the orderly exit.
#include "app/MainWindow.h"

namespace ruvo {

MainWindow::ProgramActions ProgramActionsFor(MainWindow& window);

}  // namespace ruvo
