#include "shell/NavigationButtons.h"

#include "portal/MainWindow.h"
#include "shell/ButtonLooks.h"
#include "playback/TransportControls.h"
#include "shell/FrameMouse.h"
#include "shell/TitleButtons.h"
#include "shell/WindowLayout.h"

namespace ruvo {
namespace {

ControlName ContainerOfTab(int tab) {
    return tab == 6 ? ControlName::LibraryTab : tab == 7 ? ControlName::WatchHistoryTab : ControlName::LocalFilesTab;
}

bool IsTab(int tab) { return tab >= 6 && tab <= 8; }

}  // namespace

void NavigationButtons::Click(int index) {
    if (IsTab(index)) SelectTab(index);
    else if (index == 10) ToggleLeftPanel();
    else if (index == 11) ToggleRightPanel();
}

void NavigationButtons::DrawTabs() {
    WindowSurface& surface = window_.Surface();
    surface.DrawCell({ControlName::WindowButton, 9}, kTabBarLook);
    for (int tab = 6; tab <= 8; ++tab) surface.DrawCell({ControlName::WindowButton, tab}, TabLook(tab, tab == window_.State().currentTab));
}

void NavigationButtons::ShowTab(RightPanelTab tab) { SelectTab(static_cast<int>(tab)); }

void NavigationButtons::SelectTab(int tab) {
    MainWindowState& s = window_.State();
    if (tab == s.currentTab) return;
    WindowControls& c = window_.Controls();
    if (IsTab(s.currentTab)) {
        window_.Surface().DrawCell({ControlName::WindowButton, s.currentTab}, TabLook(s.currentTab, false));
        c.SetVisible({ContainerOfTab(s.currentTab)}, false);
    }
    c.SetEnabled({ControlName::WindowButton, s.currentTab}, true);
    if (IsTab(tab)) {
        window_.Surface().DrawCell({ControlName::WindowButton, tab}, TabLook(tab, true));
        c.SetVisible({ContainerOfTab(tab)}, true);
        if (tab == 7) c.SetText({ControlName::ListAction}, "∴ 管理任务");
        if (tab == 8) c.SetText({ControlName::ListAction}, "∴ 清空列表");
    }
    c.SetEnabled({ControlName::WindowButton, tab}, true);
    s.currentTab = tab;
}

bool NavigationButtons::RightPanelShown() const { return window_.State().rightPanelShown; }

void NavigationButtons::ToggleLeftPanel() {
    const bool show = !window_.State().leftPanelShown;
    window_.State().leftPanelShown = show;
    window_.Title().RedrawTips();
    window_.Controls().SetVisible({ControlName::LeftPanel}, show);
    if (!window_.Host().IsMaximized()) window_.Layout().LayoutNormal();
    window_.Layout().LayoutPanes();
    window_.Layout().LayoutPlayerPanel();
    window_.Frame().DrawButton(10, false);
}

void NavigationButtons::ToggleRightPanel() {
    MainWindowHost& host = window_.Host();
    const bool show = !RightPanelShown();
    window_.State().rightPanelShown = show;
    window_.Title().RedrawTips();
    window_.Transport().Redraw(BarButton::RightPanel);
    window_.Controls().SetVisible({ControlName::RightPanel}, show);
    if (!host.IsMaximized()) {
        host.ResizeTwips(host.WidthTwips() + (show ? kRightPanelTwips : -kRightPanelTwips), host.HeightTwips());
        window_.Layout().LayoutNormal();
    } else {
        window_.Layout().LayoutPanes();
        window_.Layout().LayoutPlayerPanel();
    }
    window_.Frame().DrawButton(11, false);
}

}  // namespace ruvo
