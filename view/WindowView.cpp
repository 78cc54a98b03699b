#include "view/WindowView.h"

namespace ruvo {

void WindowView::SetText(ControlId control, const std::string& text) { screen_.SetText(control, text); }

void WindowView::SetTooltip(ControlId control, const std::string& text) { screen_.SetTooltip(control, text); }

void WindowView::SetVisible(ControlId control, bool visible) { screen_.SetVisible(control, visible); }

}  // namespace ruvo
