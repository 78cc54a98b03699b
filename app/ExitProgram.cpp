#include "app/ExitProgram.h"

#include "base/NumberText.h"
#include "config/SettingsKeys.h"
#include "playback/IdleInhibition.h"
#include "playback/PlayerMemory.h"
#include "playback/TransportControls.h"

namespace ruvo {
namespace {

// Ends the first "QvodPlayer.exe" and the first "QvodTerminal.exe" process.
void StopPlayerProcesses(Processes& processes) {
    KillProcessByName(processes, "QvodPlayer.exe");
    KillProcessByName(processes, "QvodTerminal.exe");
    // The notification area needs no sweep here: the desktop removes the
    // icons of ended programs itself.
}

}  // namespace

// What every way out does first: the tray icon goes, the playing item stops
// with its position stored, the volume is remembered, the player's helpers
// end when asked for, and every window of the program closes.
void ProgramExit::SaveAndClose() {
    parts_.tray.RemoveTrayIcon();
    const int stopPlayerOnExit =
        TextToInt(parts_.settings.Read(kStopPlayerOnExit.section, kStopPlayerOnExit.key, "0"));
    parts_.bar.Stop();
    parts_.memory.RememberChanges();
    parts_.inhibition.Release();
    if (stopPlayerOnExit == 2) StopPlayerProcesses(parts_.processes);
    // No fetch can be under way here: while one is waited for, no handler
    // of the program runs.
    for (const FormName form :
         {FormName::MenuHost, FormName::FloatingAdvert, FormName::SettingsDialog, FormName::MainWindow})
        parts_.forms.Unload(form);
}

void ProgramExit::EndOnSignal() {
    SaveAndClose();
    parts_.forms.Unload(FormName::Recommendation);
    parts_.forms.EndProcess();  // no recommendation window: the desktop is going away
}

void ProgramExit::Exit() {
    SaveAndClose();
    if (parts_.update.recommendOnExit) {
        parts_.forms.ShowRecommendationAndEnd();
    } else {
        parts_.forms.Unload(FormName::Recommendation);
        parts_.forms.EndProcess();
    }
}

}  // namespace ruvo
