#pragma once
// The program's windows as a whole, for the exit routine: closing each of
// them and ending the process.

namespace ruvo {

enum class FormName {
    tip,   // the hidden form holding the pop-up menus
    adsb,  // the floating advertisement
    BA3,   // the settings dialog
    BA1,   // the main window
    ba4,   // the recommendation window shown at exit
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
