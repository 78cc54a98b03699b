#include "app/ExitProgram.h"

#include "playback/IdleInhibition.h"
#include "playback/PlayerMemory.h"
#include "playback/TransportControls.h"

namespace ruvo {
// What every way out does first: the tray icon goes, the playing item stops
// with its position stored, the volume is remembered and every window of the
// program closes. (The player is a library in this process: it ends with it.)
void ProgramExit::SaveAndClose() {
    parts_.tray.RemoveTrayIcon();
    parts_.bar.Stop();
    parts_.memory.RememberChanges();
    parts_.inhibition.Release();
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
