#include "app/ExitProgram.h"

#include "app/MainWindow.h"
#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "playback/IdleInhibition.h"
#include "playback/PlayerMemory.h"
#include "playback/TransportControls.h"

namespace ruvo {

void StopPlayerProcesses(MainWindow& window) {
    KillProcessByName(window.ProcessList(), "QvodPlayer.exe");
    KillProcessByName(window.ProcessList(), "QvodTerminal.exe");
    // The notification area needs no sweep here: the desktop removes the
    // icons of ended programs itself.
}

namespace {

// What every way out does first: the tray icon goes, the playing item stops
// with its position stored, the volume is remembered, the player's helpers
// end when asked for, and every window of the program closes.
void SaveAndClose(MainWindow& window) {
    window.Tray().RemoveTrayIcon();
    const int stopPlayerOnExit =
        TextToInt(window.StoredSettings().Read(kStopPlayerOnExit.section, kStopPlayerOnExit.key, "0"));
    window.Transport().Stop();
    window.Memory().RememberChanges();
    window.Inhibition().Release();
    if (stopPlayerOnExit == 2) StopPlayerProcesses(window);
    // No fetch can be under way here: while one is waited for, no handler
    // of the program runs.
    ProgramForms& forms = window.Forms();
    for (const FormName form :
         {FormName::MenuHost, FormName::FloatingAdvert, FormName::SettingsDialog, FormName::MainWindow})
        forms.Unload(form);
}

}  // namespace

void EndOnSignal(MainWindow& window) {
    SaveAndClose(window);
    window.Forms().Unload(FormName::Recommendation);
    window.Forms().EndProcess();  // no recommendation window: the desktop is going away
}

void ExitProgram(MainWindow& window) {
    SaveAndClose(window);
    ProgramForms& forms = window.Forms();
    if (window.Update().recommendOnExit) {
        forms.ShowRecommendationAndEnd();
    } else {
        forms.Unload(FormName::Recommendation);
        forms.EndProcess();
    }
}

}  // namespace ruvo
