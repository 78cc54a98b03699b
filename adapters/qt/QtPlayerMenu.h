#pragma once
// Shows the player's menu as a Qt pop-up menu, built afresh each time from
// what the player has loaded.
#include <QPoint>
#include <functional>
#include <vector>

#include "playback/PlayerMenu.h"

class QWidget;

namespace ruvo {

// Pops the menu up at `at` (screen coordinates) over `parent`; `chosen` runs
// with the chosen entry once the menu has closed.
void PopUpPlayerMenu(QWidget* parent, const std::vector<PlayerMenuEntry>& entries, QPoint at,
                     std::function<void(const PlayerMenuEntry&)> chosen);

}  // namespace ruvo
