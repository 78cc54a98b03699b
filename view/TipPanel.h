#pragma once
// The small panel that names the button under the mouse. The player bar's
// buttons and the title bar's share it; each places it by the button it
// names, its text a margin inside.
#include <string>

#include "view/WindowView.h"

namespace ruvo {

enum class TipAnchor {
    PlayerBar,         // above the bar's button, in the full window
    CompactPlayerBar,  // above the bar's button, in the compact window
    TitleBar,          // under the title button
};

struct TipPanelPlace {
    Rect text;   // inside the panel
    Rect panel;  // in the window
};

// Where a tip of `textWidth` x `textHeight` goes for the button at `button`,
// in a window `innerHeight` high.
TipPanelPlace TipPanelFor(TipAnchor anchor, Rect button, int textWidth, int textHeight, int innerHeight);

// Shows `text` in the panel for the button; the screen measures the text.
void ShowTipPanel(WindowView& view, TipAnchor anchor, Rect button, const std::string& text, int innerHeight);
// The same for the button `control`, where the screen has it now.
void ShowTipPanel(WindowView& view, TipAnchor anchor, ControlId control, const std::string& text, int innerHeight);
void HideTipPanel(WindowView& view);

}  // namespace ruvo
