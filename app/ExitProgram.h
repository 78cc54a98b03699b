#pragma once
// The program's one orderly way out, and the end the system asks for.
#include "app/UpdateCheck.h"
#include "config/SettingsFile.h"
#include "platform/ProgramForms.h"
#include "platform/Tray.h"

namespace ruvo {

class IdleInhibition;
class PlayerMemory;
class TransportControls;

class ProgramExit {
public:
    // What goes on the way out: the tray icon, what plays and its position,
    // the remembered volume, the screen saver's inhibition, the program's
    // windows, and whether the update file asked for the recommendation window.
    struct Parts {
        TrayIcon& tray;
        TransportControls& bar;
        PlayerMemory& memory;
        IdleInhibition& inhibition;
        ProgramForms& forms;
        const UpdateState& update;
    };
    explicit ProgramExit(Parts parts) : parts_(parts) {}

    // The tray icon goes first; then the playing item stops with its
    // position saved, every window closes and the process ends (after the recommendation
    // window when the update file asked for it).
    void Exit();
    // The same when the system asks the program to end (a signal): the files
    // are stored as at any exit, and the process ends at once, with success.
    void EndOnSignal();

private:
    void SaveAndClose();

    Parts parts_;
};

}  // namespace ruvo
