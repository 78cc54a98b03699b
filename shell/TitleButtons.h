#pragma once
// The title bar's buttons (minimise, maximise/restore, close, compact
// mode, top-most, menu), the compact mode and hiding to the tray.
#include <functional>

#include "config/SettingsFile.h"
#include "config/UserOptions.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowHost.h"
#include "platform/PopupMenus.h"
#include "platform/Tray.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "shell/FrameState.h"
#include "playback/Playback.h"
#include "shell/ButtonLooks.h"

namespace ruvo {

class FrameMouse;
class WindowLayout;

class TitleButtons {
public:
    // The window and what it shows, the close question and its answer kept
    // in the settings, the tray it hides to, the menu it pops up, the
    // layout and looks it changes, and the program's exit.
    struct Parts {
        WindowView& controls;
        WindowSurface& surface;
        MainWindowHost& host;
        FrameState& frame;
        SettingsFile& settings;
        UserOptions& options;
        Dialogs& dialogs;
        PopupMenus& menus;
        TrayIcon& tray;
        WindowLayout& layout;
        FrameMouse& mouse;
        const Playback& playback;  // the compact window's title names what plays
        // The player bar's right-panel button drawn again, as the panel changed.
        std::function<void()> redrawRightPanelButton;
        std::function<void()> exit;
    };
    explicit TitleButtons(Parts parts) : parts_(std::move(parts)) {}

    // What the title buttons do. Each first hides the tooltip panel and
    // gives the labels their resting colours.
    void Minimize();
    void ToggleMaximized();
    void Close();
    // The small window; back with LeaveCompactMode (the restore sign).
    void EnterCompactMode();
    void ToggleTopMost();
    void ShowMenu();
    // A click on a title button; other buttons do nothing here.
    void Click(WindowButton button);

    bool IsTopMost() const;
    // The buttons' tooltips again, from the frame's state.
    void RedrawTips();
    // Hides the window to the tray. Where the desktop shows no tray, hiding
    // would leave no way back, so the window is minimised instead.
    void HideToTray();
    void LeaveCompactMode();

private:
    void BeginAction();
    void AskOrClose();

    void Exit();

    Parts parts_;
};

}  // namespace ruvo
