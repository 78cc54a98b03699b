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

void ShowListAction(WindowView& view, RightPanelTab listTab) {
    // The sign before the words is the design's; a screen reader says the words.
    const std::string action = listTab == RightPanelTab::LocalFiles ? "清空列表" : "管理任务";
    view.SetText({ControlName::ListAction}, "∴ " + action);
    view.Describe({ControlName::ListAction}, {action, std::nullopt});
}

void NavigationButtons::Click(WindowButton button) {
    for (const RightPanelTab tab : kTabs)
        if (button == TabButtonOf(tab)) ShowTab(tab);
    if (button == WindowButton::LeftPanelToggle) ToggleLeftPanel();
    else if (button == WindowButton::RightPanelToggle) ToggleRightPanel();
}

void NavigationButtons::DrawTabs() {
    parts_.surface.DrawCell(ControlOf(WindowButton::TabBar), kTabBarLook);
    for (const RightPanelTab tab : kTabs) DrawTab(tab, tab == parts_.frame.currentTab);
}

void NavigationButtons::DrawTab(RightPanelTab tab, bool selected) {
    parts_.surface.DrawCell(ButtonOf(tab), TabLook(tab, selected));
    parts_.controls.Describe(ButtonOf(tab), TabSpoken(tab, selected));
}

void NavigationButtons::ShowTab(RightPanelTab tab) {
    std::optional<RightPanelTab>& current = parts_.frame.currentTab;
    if (tab == current) return;
    WindowView& c = parts_.controls;
    if (current) {
        DrawTab(*current, false);
        c.SetVisible({ContainerOf(*current)}, false);
        c.SetEnabled(ButtonOf(*current), true);
    }
    DrawTab(tab, true);
    c.SetVisible({ContainerOf(tab)}, true);
    if (tab != RightPanelTab::TitlePages) {
        parts_.frame.lastListTab = tab;
        ShowListAction(c, tab);
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
