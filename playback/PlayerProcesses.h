#pragma once
// Keeping the player's helper programs in line with the user's options.

namespace ruvo {

class MainWindow;

// Once shortly after start (the player-start check): learns the player's
// folder and stores it as "qvodw". This program's player is a library with no application or
// download service of its own to close or start; its folder is the program's
// own player folder, which holds QvodPlayer.xml with the download folder.
void EnforcePlayerStartOption(MainWindow& window);

}  // namespace ruvo
