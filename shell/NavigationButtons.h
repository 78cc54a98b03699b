#pragma once
// The right panel's tabs (title pages, watch history, local files) and the
// two panel toggles.

#include <functional>

#include "platform/MainWindowHost.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "shell/FrameState.h"

namespace ruvo {

class FrameMouse;
class WindowLayout;

// Twips the window grows or shrinks by when the right panel shows or hides.
inline constexpr int kRightPanelTwips = 3405;

// The list action under the right panel for the watch history or the local
// files ("∴ 管理任务" or "∴ 清空列表").
void ShowListAction(WindowView& view, RightPanelTab listTab);

class NavigationButtons {
public:
    // What the buttons change: the window, what it shows, its layout and the
    // looks of the toggles and of the player bar's panel button.
    struct Parts {
        WindowView& controls;
        WindowSurface& surface;
        MainWindowHost& host;
        FrameState& frame;
        WindowLayout& layout;
        FrameMouse& mouse;
        // The player bar's right-panel button drawn again, as the panel changed.
        std::function<void()> redrawRightPanelButton;
    };
    explicit NavigationButtons(Parts parts) : parts_(std::move(parts)) {}

    // A click on a tab or a panel toggle; other buttons do nothing here.
    void Click(WindowButton button);
    // Brings a tab of the right panel to the front; nothing when it is there.
    void ShowTab(RightPanelTab tab);
    void ToggleLeftPanel();
    void ToggleRightPanel();
    // Shows or hides the right panel; nothing when it is so already.
    void ShowRightPanel(bool shown);
    // Paints the tab bar, the selected tab raised.
    void DrawTabs();

private:
    // A tab's picture and what a screen reader says of it.
    void DrawTab(RightPanelTab tab, bool selected);
    Parts parts_;
};

}  // namespace ruvo
