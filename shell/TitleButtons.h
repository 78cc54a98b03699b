#pragma once
// The title-bar buttons npc 0-5 (minimise, maximise/restore, close, compact
// mode, top-most, menu), the compact mode and hiding to the tray.

#include "shell/ButtonLooks.h"

namespace ruvo {

class MainWindow;

class TitleButtons {
public:
    explicit TitleButtons(MainWindow& window) : window_(window) {}

    // What the title buttons do. Each first hides the tooltip panel and
    // gives the labels their resting colours.
    void Minimize();
    void ToggleMaximized();
    void Close();
    // The small window; back with LeaveCompactMode (the label jbi).
    void EnterCompactMode();
    void ToggleTopMost();
    void ShowMenu();
    // A click on title button `index` (0-5).
    void Click(int index);

    bool IsTopMost() const;
    // What the buttons' tooltips follow now, and drawing them from it.
    FrameLook Look() const;
    void RedrawTips();
    // Hides the window to the tray. Where the desktop shows no tray, hiding
    // would leave no way back, so the window is minimised instead.
    void HideToTray();
    void LeaveCompactMode();

private:
    void BeginAction();
    void AskOrClose();

    MainWindow& window_;
};

}  // namespace ruvo
