#pragma once
// The main window's layout passes: the resize handler runs them in a fixed
// order; the title buttons and panel toggles call single passes.

#include "platform/MainWindowHost.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "promo/AdPane.h"
#include "shell/FrameState.h"
#include "shell/LayoutGeometry.h"

namespace ruvo {

class WindowLayout {
public:
    // What is laid out and what it follows.
    struct Parts {
        WindowView& controls;
        WindowSurface& surface;
        MainWindowHost& host;
        const FrameState& frame;
        AdPanes& ads;  // the scrolling bar gives way to a long title line
    };
    explicit WindowLayout(Parts parts) : parts_(parts) {}

    // Runs after every size change of the window.
    void OnResize();

    // Raises the window to the minimum size of the panels shown.
    void LayoutNormal();
    void PaintFrame();
    void PlaceTitleButtons();
    // The left and right panels and the centre column inside the content area.
    void LayoutPanes();
    // The player panel: the player, the page player and the player bar.
    void LayoutPlayerPanel();
    void LayoutCompact();
    // The compact window's title and restore label, for a title that changed.
    CompactPlaces PlaceCompactTitle();

    // Shows or hides the scrolling advertisement bar after the title line
    // changed: a long name hides it.
    void PlaceScrollAd();

private:
    Parts parts_;
};

}  // namespace ruvo
