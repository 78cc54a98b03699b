#pragma once
// The user's on/off options, typed. The settings file stores each as "2"
// (on) or "1" (off); a first run and start-up's repair write "2". Reads go
// to the settings file object, which holds the file parsed once.
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"

namespace ruvo {

enum class Option {
    RestoreSize,         // open at the size the window had last
    PreloadNext,         // look up and load the next episode ahead
    AutoPlayNext,        // play the next episode at the end of one
    RememberPosition,    // resume where an item was left
    CloseToTray,         // the close button hides the window in the tray (off: it exits)
    StopPlayerOnExit,    // end the player with the program
    NoPlayerAppAtStart,  // do not start the player's own program at start
    TrayBalloons,        // show tray balloons
    AutoSkipOpening,     // skip an episode's opening without asking (off until turned on)
    AutoSkipCredits,     // play on at the closing credits without asking (off until turned on)
};

const SettingKey& KeyOf(Option option);

class UserOptions {
public:
    explicit UserOptions(SettingsFile& file) : file_(file) {}

    // On only when stored as 2: what the program acts on.
    bool IsOn(Option option) const;
    // Off only when stored as 1: what the settings dialog's box shows.
    bool ShowsChecked(Option option) const;
    void Set(Option option, bool on);

private:
    SettingsFile& file_;
};

}  // namespace ruvo
