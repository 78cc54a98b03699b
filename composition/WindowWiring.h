#pragma once
// The window's intents and the player's wiring as the program uses them:
// the main window's, with what only Qt can add (the picture's menu, the
// pictures folder).
#include <QWidget>

#include "app/MainWindow.h"
#include "platform/Player.h"
#include "platform/WindowIntents.h"
#include "playback/PlayerActions.h"

namespace ruvo {

WindowIntents IntentsOf(MainWindow& window, Player& player, PlayerActions& playerActions, QWidget& widget);
PlayerActionsWiring PlayerWiringOf(MainWindow& window);

}  // namespace ruvo
