#pragma once
// What the window shows, as the logic decided it: each control's text,
// tooltip and whether it shows. The logic changes the window here; it never
// reads a control back as state: what plays, what shows and what a label
// says are kept by the parts that decide them.
#include <string>

#include "platform/WindowControls.h"

namespace ruvo {

class WindowView {
public:
    explicit WindowView(WindowScreen& screen) : screen_(screen) {}

    void SetText(ControlId control, const std::string& text);
    void SetTooltip(ControlId control, const std::string& text);
    void SetVisible(ControlId control, bool visible);
    void SetEnabled(ControlId control, bool enabled) { screen_.SetEnabled(control, enabled); }
    void SetPicture(ControlId control, int image) { screen_.SetPicture(control, image); }
    void Describe(ControlId control, const SpokenControl& spoken) { screen_.Describe(control, spoken); }
    void SetSliderValue(ControlId track, SliderValue value) { screen_.SetSliderValue(track, value); }
    void SetDownloaded(ControlId track, int perMille) { screen_.SetDownloaded(track, perMille); }
    // Places are the screen's: its own layouts move the player's parts.
    Rect Geometry(ControlId control) const { return screen_.Geometry(control); }
    void Move(ControlId control, const Rect& rect) { screen_.Move(control, rect); }

private:
    WindowScreen& screen_;
};

}  // namespace ruvo
