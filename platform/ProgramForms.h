#pragma once
// The program's windows as a whole, for the exit routine: closing each of
// them and ending the process.

namespace ruvo {

// The program's windows; the trace names them as the design did.
enum class FormName {
    MenuHost,        // the hidden window holding the pop-up menus
    FloatingAdvert,
    SettingsDialog,
    MainWindow,
    Recommendation,  // the recommendation window shown at exit
};

class ProgramForms {
public:
    virtual ~ProgramForms() = default;
    // Closes the window when it is open.
    virtual void Unload(FormName form) = 0;
    // Shows the floating advertisement, once.
    virtual void ShowFloatingAd() = 0;
    // Shows the recommendation window; the process ends when it closes.
    virtual void ShowRecommendationAndEnd() = 0;
    // Ends the process once the current handler has returned.
    virtual void EndProcess() = 0;
};

}  // namespace ruvo
