#include "composition/WindowWiring.h"

#include <QStandardPaths>

#include "adapters/qt/QtPlayerMenu.h"
#include "playback/PlayerMenu.h"

namespace ruvo {

WindowIntents IntentsOf(MainWindow& window, Player& player, PlayerActions& playerActions, QWidget& widget) {
    WindowIntents intents = window.Intents();
    intents.pictureMenu = [&window, &widget, &player, &playerActions](int x, int y) {
        PopUpPlayerMenu(&widget, PlayerMenuEntries(player, window.CanMarkSkips()), QPoint(x, y),
                        [&playerActions](const PlayerMenuEntry& entry) { playerActions.Choose(entry); });
    };
    return intents;
}

PlayerActionsWiring PlayerWiringOf(MainWindow& window) {
    PlayerActionsWiring wiring = window.PlayerWiring();
    // The user's pictures folder as xdg-user-dir names it (user-dirs.dirs), else ~/Pictures.
    wiring.picturesFolder = [] { return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString(); };
    return wiring;
}

}  // namespace ruvo
