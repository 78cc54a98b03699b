#pragma once
#include <QIcon>

namespace ruvo {

// The program's icon (window, tray): a gold play sign on a dark rounded square.
QIcon ProgramIcon();

}  // namespace ruvo
