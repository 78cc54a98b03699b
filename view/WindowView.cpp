#include "view/WindowView.h"

namespace ruvo {

const WindowView::Shown& WindowView::Of(ControlId control) const {
    static const Shown kUntouched;
    const auto found = shown_.find(KeyOf(control));
    return found == shown_.end() ? kUntouched : found->second;
}

void WindowView::SetText(ControlId control, const std::string& text) {
    shown_[KeyOf(control)].text = text;
    screen_.SetText(control, text);
}

const std::string& WindowView::Text(ControlId control) const { return Of(control).text; }

void WindowView::SetTooltip(ControlId control, const std::string& text) {
    shown_[KeyOf(control)].tooltip = text;
    screen_.SetTooltip(control, text);
}

const std::string& WindowView::Tooltip(ControlId control) const { return Of(control).tooltip; }

void WindowView::SetVisible(ControlId control, bool visible) {
    shown_[KeyOf(control)].visible = visible;
    screen_.SetVisible(control, visible);
}

bool WindowView::IsVisible(ControlId control) const { return Of(control).visible; }

}  // namespace ruvo
