#pragma once
// The title-bar buttons npc 0-5 (minimise, maximise/restore, close, compact
// mode, top-most, menu), the compact mode and hiding to the tray.

namespace ruvo {

class MainWindow;

class TitleButtons {
public:
    explicit TitleButtons(MainWindow& window) : window_(window) {}

    // A click on title button `index` (0-5).
    void Click(int index);
    // Makes the window top-most, or ends that.
    void SetTopMost(bool on);
    // True while button 4 shows "取消置顶".
    bool IsTopMost() const;
    // Hides the window to the tray. Where the desktop shows no tray, hiding
    // would leave no way back, so the window is minimised instead.
    void HideToTray();
    // The small window of button 3, and back (the label jbi).
    void EnterCompactMode();
    void LeaveCompactMode();

private:
    void ToggleMaximized();
    void Close();
    void ToggleTopMost();

    MainWindow& window_;
};

}  // namespace ruvo
