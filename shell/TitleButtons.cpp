#include "shell/TitleButtons.h"

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "shell/DesignValues.h"
#include "shell/FrameMouse.h"
#include "shell/NavigationButtons.h"
#include "shell/WindowLayout.h"
#include "view/TipPanel.h"

namespace ruvo {
namespace {

// The compact window's size, twips.
constexpr int kCompactWidth = 5800;
constexpr int kCompactHeight = 4800;

constexpr const char* kCloseQuestion = "关闭 Ruvo影视盒 最小化到托盘吗？";

}  // namespace

void TitleButtons::Click(WindowButton button) {
    switch (button) {
        case WindowButton::Minimize: return Minimize();
        case WindowButton::Maximize: return ToggleMaximized();
        case WindowButton::Close: return Close();
        case WindowButton::Compact: return EnterCompactMode();
        case WindowButton::TopMost: return ToggleTopMost();
        case WindowButton::Menu: return ShowMenu();
        default: return;
    }
}

void TitleButtons::Exit() {
    if (parts_.exit) parts_.exit();
}

void TitleButtons::BeginAction() {
    HideTipPanel(parts_.controls);
    parts_.mouse.ResetLabelColors();
}

void TitleButtons::Minimize() {
    BeginAction();
    parts_.host.Minimize();
    parts_.mouse.DrawButton(WindowButton::Minimize, false);
}

void TitleButtons::ToggleMaximized() {
    BeginAction();
    MainWindowHost& host = parts_.host;
    if (host.IsMaximized()) host.ShowNormal();
    else host.Maximize();
    RedrawTips();
    parts_.mouse.DrawButton(WindowButton::Maximize, false);
}

void TitleButtons::Close() {
    BeginAction();
    parts_.mouse.DrawButton(WindowButton::Close, false);
    AskOrClose();
}

void TitleButtons::ShowMenu() {
    BeginAction();
    parts_.mouse.DrawButton(WindowButton::Menu, false);
    const Rect button = parts_.controls.Geometry(ControlOf(WindowButton::Menu));
    parts_.menus.PopUpAt(MenuName::Tray, button.left - 15, button.top + 20);
}

void TitleButtons::RedrawTips() { DrawWindowButtonTips(parts_.controls, parts_.host, parts_.frame); }

void TitleButtons::AskOrClose() {
    SettingsFile& settings = parts_.settings;
    const int askState = TextToInt(settings.Read(kClosePromptState.section, kClosePromptState.key, "0"));
    if (askState != 3) {
        // Only a stored 1 exits; anything else keeps the program in the tray.
        if (parts_.options.ShowsChecked(Option::CloseToTray)) HideToTray();
        else Exit();
        return;
    }
    settings.Write(kClosePromptState.section, kClosePromptState.key, "1");
    // Enter keeps the program (in the tray): exiting for good takes a choice.
    if (parts_.dialogs.AskYesNo(kCloseQuestion, "提示：", Dialogs::Default::Yes)) {
        parts_.options.Set(Option::CloseToTray, true);
        HideToTray();
    } else {
        parts_.options.Set(Option::CloseToTray, false);
        Exit();
    }
}

void TitleButtons::HideToTray() {
    if (parts_.tray.IsAvailable()) parts_.host.Hide();
    else parts_.host.Minimize();
}

bool TitleButtons::IsTopMost() const { return parts_.frame.topMost; }

void TitleButtons::ToggleTopMost() {
    BeginAction();
    parts_.frame.topMost = !IsTopMost();
    RedrawTips();
    parts_.host.SetTopMost(IsTopMost());
}

void TitleButtons::EnterCompactMode() {
    BeginAction();
    MainWindowHost& host = parts_.host;
    WindowView& c = parts_.controls;
    if (host.IsMaximized()) host.ShowNormal();
    parts_.frame.compact = true;
    host.ResizeTwips(kCompactWidth, kCompactHeight);
    c.SetVisible({ControlName::RightPanel}, false);
    c.SetVisible({ControlName::LeftPanel}, false);
    c.SetVisible({ControlName::RestoreLabel}, true);
    for (ControlName part : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose})
        c.SetVisible({part}, false);
    c.SetText({ControlName::WindowTitle}, parts_.playback.Area().title);
    for (int i = 0; i <= 5; ++i) c.SetVisible({ControlName::WindowButton, i}, false);
    parts_.layout.LayoutCompact();
    parts_.mouse.DrawButton(WindowButton::Compact, false);
}

void TitleButtons::LeaveCompactMode() {
    FrameState& s = parts_.frame;
    MainWindowHost& host = parts_.host;
    WindowView& c = parts_.controls;
    s.compact = false;
    c.SetVisible({ControlName::RightPanel}, true);
    c.SetVisible({ControlName::LeftPanel}, true);
    c.SetVisible({ControlName::RestoreLabel}, false);
    for (ControlName part : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose})
        c.SetVisible({part}, true);
    c.SetText({ControlName::WindowTitle}, std::string(kWindowCaption) + kVersionSuffix);
    parts_.surface.SizeToText({ControlName::WindowTitle});
    for (int i = 0; i <= 5; ++i) c.SetVisible({ControlName::WindowButton, i}, true);
    s.leftPanelShown = s.rightPanelShown = true;
    if (host.IsMaximized()) host.ShowNormal();
    RedrawTips();
    parts_.redrawRightPanelButton();
    parts_.mouse.DrawButton(WindowButton::Maximize, false);
    s.savedWidth = TextToInt(parts_.settings.Read(kSavedWidth.section, kSavedWidth.key, "0"));
    s.savedHeight = TextToInt(parts_.settings.Read(kSavedHeight.section, kSavedHeight.key, "0"));
    host.ResizeTwips(s.savedWidth, s.savedHeight);
    host.Center();
    parts_.layout.OnResize();
}

}  // namespace ruvo
