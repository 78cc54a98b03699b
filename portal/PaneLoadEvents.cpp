#include "portal/PaneLoadEvents.h"

#include "base/LinkText.h"

namespace ruvo {

WebPaneEvents PaneLoadEvents::EventsFor(Pane pane) {
    WebPaneEvents events;
    WebPane* web = &PaneOf(pane);
    events.downloadBegin = [web] { web->SetSilent(true); };
    if (pane != Pane::Web6) events.downloadComplete = [this, pane] { Completed(pane); };
    // A right-click on a watch-history row hands the program the row's link
    // for its row menu; the engine's own menu never shows in any pane.
    if (pane == Pane::Web3)
        events.contextMenu = [this](const std::string& link) {
            if (parts_.historyRowRightClicked) parts_.historyRowRightClicked(link);
        };
    switch (pane) {
        case Pane::Web1:
        case Pane::Web5:
        case Pane::Web7:
        case Pane::Web8:
        case Pane::Webso:
            events.navigateError = [this, pane](const std::string& url) { Failed(pane, url); };
            break;
        default:
            break;
    }
    return events;
}

void PaneLoadEvents::Completed(Pane pane) {
    WindowControls& c = parts_.controls;
    if (pane == Pane::Web1 && !parts_.failures.mainPane) {
        c.SetVisible({ControlName::MainPaneBox}, true);
        c.SetVisible({ControlName::MainAreaNotice}, false);
    } else if (pane == Pane::Web5 && !parts_.failures.sidePane) {
        c.SetVisible({ControlName::SidePaneNotice}, false);
    } else if (pane == Pane::Web8 && parts_.ads.scroll == AdPane::Failed) {
        c.SetVisible({ControlName::ScrollAdBar}, false);
    }
}

void PaneLoadEvents::Failed(Pane pane, const std::string& url) {
    WindowControls& c = parts_.controls;
    // Only the portal's own pages raise a notice, not frames of other sites.
    const bool portalPage = Contains(url, parts_.portalBase);
    switch (pane) {
        case Pane::Web1:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::MainPaneBox}, false);
            parts_.failures.mainPane = true;
            return;
        case Pane::Web5:
            if (!portalPage) return;
            c.SetVisible({ControlName::SidePaneNotice}, true);
            parts_.failures.sidePane = true;
            return;
        case Pane::Webso:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::SearchResultsBox}, false);
            return;
        case Pane::Web7:
            c.SetVisible({ControlName::PlayerAdPanel}, false);
            c.SetVisible({ControlName::PlayerAdPicture}, true);
            parts_.ads.player = AdPane::Failed;
            return;
        case Pane::Web8:
            parts_.ads.scroll = AdPane::Failed;
            return;
        default:
            return;
    }
}

void PaneLoadEvents::RetryMainArea() {
    parts_.failures.mainPane = false;
    PaneOf(Pane::Web1).Navigate(parts_.portalBase);
    parts_.controls.SetVisible({ControlName::SearchResultsBox}, false);
}

void PaneLoadEvents::RetrySidePane() {
    parts_.failures.sidePane = false;
    PaneOf(Pane::Web5).Navigate(parts_.portalBase + "/right.asp");
}

}  // namespace ruvo
