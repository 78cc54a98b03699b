#include "shell/TitleButtons.h"

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "portal/MainWindow.h"
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
    WindowControls& c = window_.Controls();
    FrameMouse& frame = window_.Frame();
    c.SetVisible({ControlName::BarTipPanel}, false);
    frame.ResetLabelColors();
    switch (index) {
        case 0:
            window_.Host().Minimize();
            frame.DrawButton(0, false);
            break;
        case 1: ToggleMaximized(); break;
        case 2:
            frame.DrawButton(2, false);
            Close();
            break;
        case 3: EnterCompactMode(); break;
        case 4: ToggleTopMost(); break;
        case 5: {
            frame.DrawButton(5, false);
            const Rect button = c.Geometry({ControlName::WindowButton, 5});
            window_.Menus().PopUpAt(MenuName::Tray, button.left - 15, button.top + 20);
            break;
        }
        default: break;
    }
}

void TitleButtons::ToggleMaximized() {
    MainWindowHost& host = window_.Host();
    const bool maximize = !host.IsMaximized();
    if (maximize) host.Maximize();
    else host.ShowNormal();
    window_.Controls().SetTooltip({ControlName::WindowButton, 1}, maximize ? "还原" : "最大化");
    window_.Frame().DrawButton(1, false);
}

void TitleButtons::Close() {
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

bool TitleButtons::IsTopMost() const {
    return window_.Controls().Tooltip({ControlName::WindowButton, 4}) == "取消置顶";
}

void TitleButtons::ToggleTopMost() {
    const bool on = !IsTopMost();
    window_.Controls().SetTooltip({ControlName::WindowButton, 4}, on ? "取消置顶" : "置顶");
    SetTopMost(on);
}

void TitleButtons::SetTopMost(bool on) { window_.Host().SetTopMost(on); }

void TitleButtons::EnterCompactMode() {
    MainWindowHost& host = window_.Host();
    WindowControls& c = window_.Controls();
    if (host.IsMaximized()) host.ShowNormal();
    window_.State().compactMode = 1;
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
    s.compactMode = 0;
    c.SetVisible({ControlName::RightPanel}, true);
    c.SetVisible({ControlName::LeftPanel}, true);
    c.SetVisible({ControlName::RestoreLabel}, false);
    for (ControlName part : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose})
        c.SetVisible({part}, true);
    c.SetText({ControlName::WindowTitle}, std::string(kMainWindowCaption) + kVersionSuffix);
    window_.Surface().SizeToText({ControlName::WindowTitle});
    for (int i = 0; i <= 5; ++i) c.SetVisible({ControlName::WindowButton, i}, true);
    c.SetTooltip({ControlName::WindowButton, 10}, "关闭");
    c.SetTooltip({ControlName::WindowButton, 11}, "关闭");
    if (host.IsMaximized()) host.ShowNormal();
    c.SetTooltip({ControlName::WindowButton, 1}, "最大化");
    window_.Frame().DrawButton(1, false);
    s.savedWidth = TextToInt(window_.StoredSettings().Read(kSavedWidth.section, kSavedWidth.key, "0"));
    s.savedHeight = TextToInt(window_.StoredSettings().Read(kSavedHeight.section, kSavedHeight.key, "0"));
    host.ResizeTwips(s.savedWidth, s.savedHeight);
    host.Center();
    window_.Layout().OnResize();
}

}  // namespace ruvo
