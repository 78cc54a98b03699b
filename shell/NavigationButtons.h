#pragma once
// The navigation buttons npc: the right panel's tabs (6 title pages, 7 watch
// history, 8 local files) and the panel toggles 10 (left) and 11 (right).

namespace ruvo {

class MainWindow;

// Twips the window grows or shrinks by when the right panel shows or hides.
inline constexpr int kRightPanelTwips = 3405;

class NavigationButtons {
public:
    explicit NavigationButtons(MainWindow& window) : window_(window) {}

    // A click on button `index`; indexes without an action do nothing.
    void Click(int index);
    // Brings tab 6, 7 or 8 of the right panel to the front.
    void SelectRightPanelTab(int tab);
    // True while the right panel shows (button 11's tooltip contains "关闭").
    bool RightPanelShown() const;

private:
    void ToggleLeftPanel();
    void ToggleRightPanel();

    MainWindow& window_;
};

}  // namespace ruvo
