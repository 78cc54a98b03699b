#include "portal/PaneLoadEvents.h"

#include "history/HistoryActions.h"

#include "portal/LinkText.h"
#include "portal/MainWindow.h"

namespace ruvo {

WebPaneEvents PaneLoadEvents::EventsFor(Pane pane) {
    WebPaneEvents events;
    WebPane* web = &window_.PaneOf(pane);
    events.downloadBegin = [web] { web->SetSilent(true); };
    if (pane != Pane::Web6) events.downloadComplete = [this, pane] { Completed(pane); };
    // A right-click on a watch-history row hands the program the row's link
    // for its row menu; the engine's own menu never shows in any pane.
    if (pane == Pane::Web3) events.contextMenu = [this](const std::string& link) { window_.History().RowRightClicked(link); };
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
    MainWindowState& s = window_.State();
    WindowControls& c = window_.Controls();
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
    MainWindowState& s = window_.State();
    WindowControls& c = window_.Controls();
    // Only the portal's own pages raise a notice, not frames of other sites.
    const bool portalPage = Contains(url, window_.Portal().base);
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
    window_.State().mainPaneFailed = false;
    window_.PaneOf(Pane::Web1).Navigate(window_.Portal().base);
    window_.Controls().SetVisible({ControlName::SearchResultsBox}, false);
}

void PaneLoadEvents::RetrySidePane() {
    window_.State().sidePaneFailed = false;
    window_.PaneOf(Pane::Web5).Navigate(window_.Portal().base + "/right.asp");
}

}  // namespace ruvo
