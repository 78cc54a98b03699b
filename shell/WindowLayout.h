#pragma once
// The main window's layout passes: the resize handler runs them in a fixed
// order; the title buttons and panel toggles call single passes.
#include "shell/LayoutGeometry.h"

namespace ruvo {

class MainWindow;

class WindowLayout {
public:
    explicit WindowLayout(MainWindow& window) : window_(window) {}

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

    // A panel shows while its toggle's tooltip contains "关闭".
    bool LeftPanelShown() const;
    bool RightPanelShown() const;

private:
    MainWindow& window_;
};

}  // namespace ruvo
