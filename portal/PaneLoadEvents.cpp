#include "portal/PaneLoadEvents.h"

#include "portal/LinkText.h"

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
    MainWindowState& s = parts_.state;
    WindowControls& c = parts_.controls;
    if (pane == Pane::Web1 && !s.mainPaneFailed) {
        c.SetVisible({ControlName::MainPaneBox}, true);
        c.SetVisible({ControlName::MainAreaNotice}, false);
    } else if (pane == Pane::Web5 && !s.sidePaneFailed) {
        c.SetVisible({ControlName::SidePaneNotice}, false);
    } else if (pane == Pane::Web8 && s.scrollAd == AdPane::Failed) {
        c.SetVisible({ControlName::ScrollAdBar}, false);
    }
}

void PaneLoadEvents::Failed(Pane pane, const std::string& url) {
    MainWindowState& s = parts_.state;
    WindowControls& c = parts_.controls;
    // Only the portal's own pages raise a notice, not frames of other sites.
    const bool portalPage = Contains(url, parts_.portalBase);
    switch (pane) {
        case Pane::Web1:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::MainPaneBox}, false);
            s.mainPaneFailed = true;
            return;
        case Pane::Web5:
            if (!portalPage) return;
            c.SetVisible({ControlName::SidePaneNotice}, true);
            s.sidePaneFailed = true;
            return;
        case Pane::Webso:
            if (!portalPage) return;
            c.SetVisible({ControlName::MainAreaNotice}, true);
            c.SetVisible({ControlName::SearchResultsBox}, false);
            return;
        case Pane::Web7:
            c.SetVisible({ControlName::PlayerAdPanel}, false);
            c.SetVisible({ControlName::PlayerAdPicture}, true);
            s.playerAd = AdPane::Failed;
            return;
        case Pane::Web8:
            s.scrollAd = AdPane::Failed;
            return;
        default:
            return;
    }
}

void PaneLoadEvents::RetryMainArea() {
    parts_.state.mainPaneFailed = false;
    PaneOf(Pane::Web1).Navigate(parts_.portalBase);
    parts_.controls.SetVisible({ControlName::SearchResultsBox}, false);
}

void PaneLoadEvents::RetrySidePane() {
    parts_.state.sidePaneFailed = false;
    PaneOf(Pane::Web5).Navigate(parts_.portalBase + "/right.asp");
}

}  // namespace ruvo
