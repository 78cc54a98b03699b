#include "shell/NavigationButtons.h"

#include "portal/LinkText.h"
#include "portal/MainWindow.h"

namespace ruvo {
namespace {

ControlName ContainerOfTab(int tab) {
    return tab == 6 ? ControlName::P5 : tab == 7 ? ControlName::P3 : ControlName::P4;
}

bool IsTab(int tab) { return tab >= 6 && tab <= 8; }

// Pictures of a tab button: its cell of the tab sprite, normal or selected.
constexpr int kTabNormal = 0;
constexpr int kTabSelected = 1;

}  // namespace

void NavigationButtons::Click(int index) {
    if (IsTab(index)) SelectRightPanelTab(index);
    else if (index == 11) ToggleRightPanel();
}

void NavigationButtons::SelectRightPanelTab(int tab) {
    MainWindowState& s = window_.State();
    if (tab == s.currentTab) return;
    WindowControls& c = window_.Controls();
    if (IsTab(s.currentTab)) {
        c.SetPicture({ControlName::npc, s.currentTab}, kTabNormal);
        c.SetVisible({ContainerOfTab(s.currentTab)}, false);
    }
    c.SetEnabled({ControlName::npc, s.currentTab}, true);
    if (IsTab(tab)) {
        c.SetPicture({ControlName::npc, tab}, kTabSelected);
        c.SetVisible({ContainerOfTab(tab)}, true);
        if (tab == 7) c.SetText({ControlName::qk}, "∴ 管理任务");
        if (tab == 8) c.SetText({ControlName::qk}, "∴ 清空列表");
    }
    c.SetEnabled({ControlName::npc, tab}, true);
    s.currentTab = tab;
}

bool NavigationButtons::RightPanelShown() const {
    return Contains(window_.Controls().Tooltip({ControlName::npc, 11}), "关闭");
}

void NavigationButtons::ToggleRightPanel() {
    WindowControls& c = window_.Controls();
    MainWindowHost& host = window_.Host();
    const bool show = !RightPanelShown();
    c.SetTooltip({ControlName::npc, 11}, show ? "关闭" : "打开");
    c.SetTooltip({ControlName::bo_but, 7}, show ? "隐藏右侧" : "展开右侧");
    c.SetVisible({ControlName::RightPanel}, show);
    if (!host.IsMaximized()) host.ResizeTwips(host.WidthTwips() + (show ? kRightPanelTwips : -kRightPanelTwips), host.HeightTwips());
}

}  // namespace ruvo
