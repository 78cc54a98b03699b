#pragma once
// What the user does in the window and the player's menu, wired to the
// parts that act on it.
#include <QWidget>

#include "app/MainWindow.h"
#include "adapters/qt/MainWindowWidget.h"
#include "playback/PlayerActions.h"

namespace ruvo {

WindowActions ActionsOf(MainWindow& window, PlayerActions& playerActions, QWidget& widget);
// Tracks, speed, screenshots and the rest of the player's actions beyond
// its bar, with what they need of the window.
PlayerActionsWiring PlayerActionsWiringOf(MainWindow& window);

}  // namespace ruvo
