#pragma once
// What the window shows, as the logic decided it: each control's text,
// tooltip and whether it shows. The logic changes the window here and reads
// back from here, never from the screen, which only draws what it is told.
#include <map>
#include <string>
#include <utility>

#include "platform/WindowControls.h"

namespace ruvo {

class WindowView {
public:
    explicit WindowView(WindowScreen& screen) : screen_(screen) {}

    void SetText(ControlId control, const std::string& text);
    // "" for a control that was given none.
    const std::string& Text(ControlId control) const;
    void SetTooltip(ControlId control, const std::string& text);
    const std::string& Tooltip(ControlId control) const;
    void SetVisible(ControlId control, bool visible);
    // Controls show until the logic hides them, as a new window's do.
    bool IsVisible(ControlId control) const;
    void SetEnabled(ControlId control, bool enabled) { screen_.SetEnabled(control, enabled); }
    void SetPicture(ControlId control, int image) { screen_.SetPicture(control, image); }
    void Describe(ControlId control, const SpokenControl& spoken) { screen_.Describe(control, spoken); }
    void SetSliderValue(ControlId track, SliderValue value) { screen_.SetSliderValue(track, value); }
    // Places are the screen's: its own layouts move the player's parts.
    Rect Geometry(ControlId control) const { return screen_.Geometry(control); }
    void Move(ControlId control, const Rect& rect) { screen_.Move(control, rect); }

private:
    struct Shown {
        std::string text, tooltip;
        bool visible = true;
    };
    using Key = std::pair<int, int>;
    static Key KeyOf(ControlId control) { return {static_cast<int>(control.name), control.index}; }
    const Shown& Of(ControlId control) const;

    WindowScreen& screen_;
    std::map<Key, Shown> shown_;
};

// Moves a control sideways (and sets its width), keeping its top and height.
inline void MoveLeftEdge(WindowView& view, ControlId control, int left) {
    Rect rect = view.Geometry(control);
    rect.left = left;
    view.Move(control, rect);
}
inline void PlaceHorizontally(WindowView& view, ControlId control, int left, int width) {
    Rect rect = view.Geometry(control);
    rect.left = left;
    rect.width = width;
    view.Move(control, rect);
}

}  // namespace ruvo
