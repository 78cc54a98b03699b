#pragma once
// The navigation buttons npc: the right panel's tabs (6 title pages, 7 watch
// history, 8 local files) and the panel toggles 10 (left) and 11 (right).

#include "platform/MainWindowHost.h"
#include "platform/WindowControls.h"
#include "platform/WindowSurface.h"
#include "portal/MainWindowState.h"

namespace ruvo {

class FrameMouse;
class TransportControls;
class WindowLayout;

// The right panel's tabs, by their buttons' numbers.
enum class RightPanelTab { TitlePages = 6, WatchHistory = 7, LocalFiles = 8 };

// Twips the window grows or shrinks by when the right panel shows or hides.
inline constexpr int kRightPanelTwips = 3405;

class NavigationButtons {
public:
    // What the buttons change: the window, what it shows, its layout and the
    // looks of the toggles and of the player bar's panel button.
    struct Parts {
        WindowControls& controls;
        WindowSurface& surface;
        MainWindowHost& host;
        MainWindowState& state;
        WindowLayout& layout;
        FrameMouse& frame;
        TransportControls& bar;
    };
    explicit NavigationButtons(Parts parts) : parts_(parts) {}

    // A click on button `index`; indexes without an action do nothing.
    void Click(int index);
    // Brings a tab of the right panel to the front.
    void ShowTab(RightPanelTab tab);
    void ToggleLeftPanel();
    void ToggleRightPanel();
    bool RightPanelShown() const;
    // Paints the tab bar, the selected tab raised.
    void DrawTabs();

private:
    void SelectTab(int tab);

    Parts parts_;
};

}  // namespace ruvo
