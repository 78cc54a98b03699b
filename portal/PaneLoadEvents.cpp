#include "portal/PaneLoadEvents.h"

#include "base/LinkText.h"

namespace ruvo {

WebPaneEvents PaneLoadEvents::EventsFor(Pane pane) {
    WebPaneEvents events;
    WebPane* web = &PaneOf(pane);
    events.downloadBegin = [web] { web->SetSilent(true); };
    if (pane != Pane::Statistics) events.downloadComplete = [this, pane] { Completed(pane); };
    // A right-click on a watch-history row hands the program the row's link
    // for its row menu; the engine's own menu never shows in any pane.
    if (pane == Pane::HistoryList)
        events.contextMenu = [this](const std::string& link) {
            if (parts_.historyRowRightClicked) parts_.historyRowRightClicked(link);
        };
    switch (pane) {
        case Pane::PortalPage:
        case Pane::SidePage:
        case Pane::PlayerAdvert:
        case Pane::ScrollingAdvert:
        case Pane::SearchResults:
            events.navigateError = [this, pane](const std::string& url) { Failed(pane, url); };
            break;
        default:
            break;
    }
    return events;
}

void PaneLoadEvents::Completed(Pane pane) {
    WindowView& c = parts_.controls;
    if (pane == Pane::PortalPage && !parts_.failures.mainPane) {
        c.SetVisible({ControlName::MainPaneBox}, true);
        c.SetVisible({ControlName::MainAreaNotice}, false);
    } else if (pane == Pane::SidePage && !parts_.failures.sidePane) {
        c.SetVisible({ControlName::SidePaneNotice}, false);
    } else if (pane == Pane::ScrollingAdvert && parts_.ads.scroll == AdPane::Failed) {
        parts_.ads.scrollBarShown = false;
        c.SetVisible({ControlName::ScrollAdBar}, false);
    }
}

void PaneLoadEvents::Failed(Pane pane, const std::string& url) {
    WindowView& c = parts_.controls;
    // Only the portal's own pages raise a notice, not frames of other sites.
    const bool portalPage = Contains(url, parts_.portalBase);
    switch (pane) {
        case Pane::PortalPage:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::MainPaneBox}, false);
            parts_.failures.mainPane = true;
            return;
        case Pane::SidePage:
            if (!portalPage) return;
            c.SetVisible({ControlName::SidePaneNotice}, true);
            parts_.failures.sidePane = true;
            return;
        case Pane::SearchResults:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::SearchResultsBox}, false);
            return;
        case Pane::PlayerAdvert:
            c.SetVisible({ControlName::PlayerAdPanel}, false);
            c.SetVisible({ControlName::PlayerAdPicture}, true);
            parts_.ads.player = AdPane::Failed;
            return;
        case Pane::ScrollingAdvert:
            parts_.ads.scroll = AdPane::Failed;
            return;
        default:
            return;
    }
}

void PaneLoadEvents::RetryMainArea() {
    parts_.failures.mainPane = false;
    PaneOf(Pane::PortalPage).Navigate(parts_.portalBase);
    parts_.controls.SetVisible({ControlName::SearchResultsBox}, false);
}

void PaneLoadEvents::RetrySidePane() {
    parts_.failures.sidePane = false;
    PaneOf(Pane::SidePage).Navigate(parts_.portalBase + "/right.asp");
}

}  // namespace ruvo
