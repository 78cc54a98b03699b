#include "playback/PlayerProcesses.h"

#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "playback/PlayerFolder.h"
#include "portal/MainWindow.h"

namespace ruvo {

void EnforcePlayerStartOption(MainWindow& window) {
    MainWindowState& s = window.State();
    if (s.playerFolder.empty()) s.playerFolder = EnsureOwnPlayerFolder(window.ProgramFolder());
    if (s.playerFolder.empty()) return;
    window.StoredSettings().Write(kPlayerFolder.section, kPlayerFolder.key, s.playerFolder);
}

}  // namespace ruvo
