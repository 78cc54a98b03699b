#include "view/TipPanel.h"

namespace ruvo {

TipPanelPlace TipPanelFor(TipAnchor anchor, Rect button, int textWidth, int textHeight, int innerHeight) {
    if (anchor == TipAnchor::TitleBar) {
        const int margin = 2;
        return {{margin, margin, textWidth, textHeight},
                {button.left - 5, button.top + button.height + 3, textWidth + 5, textHeight + 5}};
    }
    const int margin = 3, width = textWidth + 2 * margin, height = textHeight + 2 * margin;
    const Rect text{margin, margin, textWidth, textHeight};
    if (anchor == TipAnchor::CompactPlayerBar)
        return {text, {button.left + button.width - width / 2 - 11, innerHeight - 50, width, height}};
    // The bar's buttons sit in a strip 220 pixels in from the window's left edge.
    return {text, {button.left - 18 + 220 + button.width + 7 - width / 2, innerHeight - 55, width, height}};
}

void ShowTipPanel(WindowView& view, TipAnchor anchor, Rect button, const std::string& text, int innerHeight) {
    view.SetText({ControlName::BarTipText}, text);
    const Rect measured = view.Geometry({ControlName::BarTipText});
    const TipPanelPlace place = TipPanelFor(anchor, button, measured.width, measured.height, innerHeight);
    view.Move({ControlName::BarTipText}, place.text);
    view.Move({ControlName::BarTipPanel}, place.panel);
    view.SetVisible({ControlName::BarTipPanel}, true);
}

void ShowTipPanel(WindowView& view, TipAnchor anchor, ControlId control, const std::string& text, int innerHeight) {
    ShowTipPanel(view, anchor, view.Geometry(control), text, innerHeight);
}

void HideTipPanel(WindowView& view) { view.SetVisible({ControlName::BarTipPanel}, false); }

}  // namespace ruvo
