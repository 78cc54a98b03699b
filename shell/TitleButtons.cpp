#include "shell/TitleButtons.h"

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "portal/MainWindow.h"
#include "playback/TransportControls.h"
#include "shell/FrameMouse.h"
#include "shell/NavigationButtons.h"
#include "shell/WindowLayout.h"

namespace ruvo {
namespace {

// The compact window's size, twips.
constexpr int kCompactWidth = 5800;
constexpr int kCompactHeight = 4800;

constexpr const char* kCloseQuestion = "关闭 Ruvo影视盒 最小化到托盘吗？";

}  // namespace

void TitleButtons::Click(int index) {
    switch (index) {
        case 0: return Minimize();
        case 1: return ToggleMaximized();
        case 2: return Close();
        case 3: return EnterCompactMode();
        case 4: return ToggleTopMost();
        case 5: return ShowMenu();
        default: return;
    }
}

void TitleButtons::BeginAction() {
    window_.Controls().SetVisible({ControlName::BarTipPanel}, false);
    window_.Frame().ResetLabelColors();
}

void TitleButtons::Minimize() {
    BeginAction();
    window_.Host().Minimize();
    window_.Frame().DrawButton(0, false);
}

void TitleButtons::ToggleMaximized() {
    BeginAction();
    MainWindowHost& host = window_.Host();
    if (host.IsMaximized()) host.ShowNormal();
    else host.Maximize();
    RedrawTips();
    window_.Frame().DrawButton(1, false);
}

void TitleButtons::Close() {
    BeginAction();
    window_.Frame().DrawButton(2, false);
    AskOrClose();
}

void TitleButtons::ShowMenu() {
    BeginAction();
    window_.Frame().DrawButton(5, false);
    const Rect button = window_.Controls().Geometry({ControlName::WindowButton, 5});
    window_.Menus().PopUpAt(MenuName::Tray, button.left - 15, button.top + 20);
}

FrameLook TitleButtons::Look() const {
    return FrameLookOf(window_.Host().IsMaximized(), window_.State());
}

void TitleButtons::RedrawTips() { DrawWindowButtonTips(window_.Controls(), Look()); }

void TitleButtons::AskOrClose() {
    SettingsFile& settings = window_.StoredSettings();
    const int askState = TextToInt(settings.Read(kClosePromptState.section, kClosePromptState.key, "0"));
    const int action = TextToInt(settings.Read(kCloseToTray.section, kCloseToTray.key, "0"));
    if (askState != 3) {
        if (action == 1) window_.Exit();
        else HideToTray();
        return;
    }
    settings.Write(kClosePromptState.section, kClosePromptState.key, "1");
    // Enter keeps the program (in the tray): exiting for good takes a choice.
    if (window_.MessageBoxes().AskYesNo(kCloseQuestion, "提示：", Dialogs::Default::Yes)) {
        settings.Write(kCloseToTray.section, kCloseToTray.key, "2");
        HideToTray();
    } else {
        settings.Write(kCloseToTray.section, kCloseToTray.key, "1");
        window_.Exit();
    }
}

void TitleButtons::HideToTray() {
    if (window_.Tray().IsAvailable()) window_.Host().Hide();
    else window_.Host().Minimize();
}

bool TitleButtons::IsTopMost() const { return window_.State().topMost; }

void TitleButtons::ToggleTopMost() {
    BeginAction();
    window_.State().topMost = !IsTopMost();
    RedrawTips();
    window_.Host().SetTopMost(IsTopMost());
}

void TitleButtons::EnterCompactMode() {
    BeginAction();
    MainWindowHost& host = window_.Host();
    WindowControls& c = window_.Controls();
    if (host.IsMaximized()) host.ShowNormal();
    window_.State().compact = true;
    host.ResizeTwips(kCompactWidth, kCompactHeight);
    c.SetVisible({ControlName::RightPanel}, false);
    c.SetVisible({ControlName::LeftPanel}, false);
    c.SetVisible({ControlName::RestoreLabel}, true);
    for (ControlName part : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose})
        c.SetVisible({part}, false);
    c.SetText({ControlName::WindowTitle}, c.Text({ControlName::TitleLine}));
    for (int i = 0; i <= 5; ++i) c.SetVisible({ControlName::WindowButton, i}, false);
    window_.Layout().LayoutCompact();
    window_.Frame().DrawButton(3, false);
}

void TitleButtons::LeaveCompactMode() {
    MainWindowState& s = window_.State();
    MainWindowHost& host = window_.Host();
    WindowControls& c = window_.Controls();
    s.compact = false;
    c.SetVisible({ControlName::RightPanel}, true);
    c.SetVisible({ControlName::LeftPanel}, true);
    c.SetVisible({ControlName::RestoreLabel}, false);
    for (ControlName part : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose})
        c.SetVisible({part}, true);
    c.SetText({ControlName::WindowTitle}, std::string(kMainWindowCaption) + kVersionSuffix);
    window_.Surface().SizeToText({ControlName::WindowTitle});
    for (int i = 0; i <= 5; ++i) c.SetVisible({ControlName::WindowButton, i}, true);
    s.leftPanelShown = s.rightPanelShown = true;
    if (host.IsMaximized()) host.ShowNormal();
    RedrawTips();
    window_.Transport().Redraw(BarButton::RightPanel);
    window_.Frame().DrawButton(1, false);
    s.savedWidth = TextToInt(window_.StoredSettings().Read(kSavedWidth.section, kSavedWidth.key, "0"));
    s.savedHeight = TextToInt(window_.StoredSettings().Read(kSavedHeight.section, kSavedHeight.key, "0"));
    host.ResizeTwips(s.savedWidth, s.savedHeight);
    host.Center();
    window_.Layout().OnResize();
}

}  // namespace ruvo
