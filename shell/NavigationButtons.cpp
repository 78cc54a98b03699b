#include "shell/NavigationButtons.h"

#include "shell/ButtonLooks.h"
#include "shell/FrameMouse.h"
#include "shell/WindowLayout.h"

namespace ruvo {
namespace {

constexpr RightPanelTab kTabs[] = {RightPanelTab::TitlePages, RightPanelTab::WatchHistory, RightPanelTab::LocalFiles};

ControlName ContainerOf(RightPanelTab tab) {
    switch (tab) {
        case RightPanelTab::TitlePages: return ControlName::LibraryTab;
        case RightPanelTab::WatchHistory: return ControlName::WatchHistoryTab;
        case RightPanelTab::LocalFiles: return ControlName::LocalFilesTab;
    }
    return ControlName::LibraryTab;
}

ControlId ButtonOf(RightPanelTab tab) { return ControlOf(TabButtonOf(tab)); }

}  // namespace

void NavigationButtons::Click(WindowButton button) {
    for (const RightPanelTab tab : kTabs)
        if (button == TabButtonOf(tab)) ShowTab(tab);
    if (button == WindowButton::LeftPanelToggle) ToggleLeftPanel();
    else if (button == WindowButton::RightPanelToggle) ToggleRightPanel();
}

void NavigationButtons::DrawTabs() {
    WindowSurface& surface = parts_.surface;
    surface.DrawCell(ControlOf(WindowButton::TabBar), kTabBarLook);
    for (const RightPanelTab tab : kTabs) surface.DrawCell(ButtonOf(tab), TabLook(tab, tab == parts_.frame.currentTab));
}

void NavigationButtons::ShowTab(RightPanelTab tab) {
    std::optional<RightPanelTab>& current = parts_.frame.currentTab;
    if (tab == current) return;
    WindowView& c = parts_.controls;
    if (current) {
        parts_.surface.DrawCell(ButtonOf(*current), TabLook(*current, false));
        c.SetVisible({ContainerOf(*current)}, false);
        c.SetEnabled(ButtonOf(*current), true);
    }
    parts_.surface.DrawCell(ButtonOf(tab), TabLook(tab, true));
    c.SetVisible({ContainerOf(tab)}, true);
    if (tab != RightPanelTab::TitlePages) {
        parts_.frame.lastListTab = tab;
        c.SetText({ControlName::ListAction}, tab == RightPanelTab::LocalFiles ? "∴ 清空列表" : "∴ 管理任务");
    }
    c.SetEnabled(ButtonOf(tab), true);
    current = tab;
}

void NavigationButtons::ShowRightPanel(bool shown) {
    if (parts_.frame.rightPanelShown != shown) ToggleRightPanel();
}

void NavigationButtons::ToggleLeftPanel() {
    const bool show = !parts_.frame.leftPanelShown;
    parts_.frame.leftPanelShown = show;
    DrawWindowButtonTips(parts_.controls, parts_.host, parts_.frame);
    parts_.controls.SetVisible({ControlName::LeftPanel}, show);
    if (!parts_.host.IsMaximized()) parts_.layout.LayoutNormal();
    parts_.layout.LayoutPanes();
    parts_.layout.LayoutPlayerPanel();
    parts_.mouse.DrawButton(WindowButton::LeftPanelToggle, false);
}

void NavigationButtons::ToggleRightPanel() {
    MainWindowHost& host = parts_.host;
    const bool show = !parts_.frame.rightPanelShown;
    parts_.frame.rightPanelShown = show;
    DrawWindowButtonTips(parts_.controls, parts_.host, parts_.frame);
    parts_.redrawRightPanelButton();
    parts_.controls.SetVisible({ControlName::RightPanel}, show);
    if (!host.IsMaximized()) {
        host.ResizeTwips(host.WidthTwips() + (show ? kRightPanelTwips : -kRightPanelTwips), host.HeightTwips());
        parts_.layout.LayoutNormal();
    } else {
        parts_.layout.LayoutPanes();
        parts_.layout.LayoutPlayerPanel();
    }
    parts_.mouse.DrawButton(WindowButton::RightPanelToggle, false);
}

}  // namespace ruvo
