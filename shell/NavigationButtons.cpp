#include "shell/NavigationButtons.h"

#include "playback/TransportControls.h"
#include "shell/ButtonLooks.h"
#include "shell/FrameMouse.h"
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
    WindowSurface& surface = parts_.surface;
    surface.DrawCell({ControlName::WindowButton, 9}, kTabBarLook);
    for (int tab = 6; tab <= 8; ++tab) surface.DrawCell({ControlName::WindowButton, tab}, TabLook(tab, tab == parts_.state.currentTab));
}

void NavigationButtons::ShowTab(RightPanelTab tab) { SelectTab(static_cast<int>(tab)); }

void NavigationButtons::SelectTab(int tab) {
    MainWindowState& s = parts_.state;
    if (tab == s.currentTab) return;
    WindowControls& c = parts_.controls;
    if (IsTab(s.currentTab)) {
        parts_.surface.DrawCell({ControlName::WindowButton, s.currentTab}, TabLook(s.currentTab, false));
        c.SetVisible({ContainerOfTab(s.currentTab)}, false);
    }
    c.SetEnabled({ControlName::WindowButton, s.currentTab}, true);
    if (IsTab(tab)) {
        parts_.surface.DrawCell({ControlName::WindowButton, tab}, TabLook(tab, true));
        c.SetVisible({ContainerOfTab(tab)}, true);
        if (tab == 7) c.SetText({ControlName::ListAction}, "∴ 管理任务");
        if (tab == 8) c.SetText({ControlName::ListAction}, "∴ 清空列表");
    }
    c.SetEnabled({ControlName::WindowButton, tab}, true);
    s.currentTab = tab;
}

bool NavigationButtons::RightPanelShown() const { return parts_.state.rightPanelShown; }

void NavigationButtons::ToggleLeftPanel() {
    const bool show = !parts_.state.leftPanelShown;
    parts_.state.leftPanelShown = show;
    DrawWindowButtonTips(parts_.controls, parts_.host, parts_.state);
    parts_.controls.SetVisible({ControlName::LeftPanel}, show);
    if (!parts_.host.IsMaximized()) parts_.layout.LayoutNormal();
    parts_.layout.LayoutPanes();
    parts_.layout.LayoutPlayerPanel();
    parts_.frame.DrawButton(10, false);
}

void NavigationButtons::ToggleRightPanel() {
    MainWindowHost& host = parts_.host;
    const bool show = !RightPanelShown();
    parts_.state.rightPanelShown = show;
    DrawWindowButtonTips(parts_.controls, parts_.host, parts_.state);
    parts_.bar.Redraw(BarButton::RightPanel);
    parts_.controls.SetVisible({ControlName::RightPanel}, show);
    if (!host.IsMaximized()) {
        host.ResizeTwips(host.WidthTwips() + (show ? kRightPanelTwips : -kRightPanelTwips), host.HeightTwips());
        parts_.layout.LayoutNormal();
    } else {
        parts_.layout.LayoutPanes();
        parts_.layout.LayoutPlayerPanel();
    }
    parts_.frame.DrawButton(11, false);
}

}  // namespace ruvo
