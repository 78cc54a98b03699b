#include "config/UserOptions.h"

#include "base/NumberText.h"

namespace ruvo {
namespace {

int StoredNumber(SettingsFile& file, Option option) {
    const SettingKey& key = KeyOf(option);
    return TextToInt(file.Read(key.section, key.key, "0"));
}

}  // namespace

const SettingKey& KeyOf(Option option) {
    switch (option) {
        case Option::RestoreSize: return kRestoreSize;
        case Option::PreloadNext: return kPreloadNext;
        case Option::AutoPlayNext: return kAutoPlayNext;
        case Option::RememberPosition: return kRememberPosition;
        case Option::CloseToTray: return kCloseToTray;
        case Option::StopPlayerOnExit: return kStopPlayerOnExit;
        case Option::NoPlayerAppAtStart: return kNoPlayerAppAtStart;
        case Option::TrayBalloons: return kTrayBalloons;
        case Option::AutoSkipOpening: return kAutoSkipOpening;
        case Option::AutoSkipCredits: return kAutoSkipCredits;
    }
    return kTrayBalloons;
}

bool UserOptions::IsOn(Option option) const { return StoredNumber(file_, option) == 2; }

// An option a first run does not write is off until the user turns it on.
bool UserOptions::ShowsChecked(Option option) const {
    if (KeyOf(option).firstRunValue.empty()) return IsOn(option);
    return StoredNumber(file_, option) != 1;
}

void UserOptions::Set(Option option, bool on) {
    const SettingKey& key = KeyOf(option);
    file_.Write(key.section, key.key, on ? "2" : "1");
}

}  // namespace ruvo
