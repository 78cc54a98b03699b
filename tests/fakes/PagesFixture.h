#pragma once
// The owner of what plays with the pages that ask it: each pane's links
// reach the link dispatcher as the window hands them on, and the lists'
// rows are read where the pages are.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "config/TextFile.h"
#include "fakes/FakeWindowPorts.h"
#include "fakes/PartFixture.h"
#include "portal/LinkDispatcher.h"

namespace ruvo::test {

class PagesFixture : public PartFixture {
protected:
    std::array<FakeWebPane, kPaneCount> panes;
    PaneFailures failures;
    FakeDialogs dialogs;
    std::vector<std::string> notices;  // held in the status line for a while
    bool localListLast = false;        // the local-file tab was shown last
    std::optional<bool> rightPanelShown;  // as the links last asked the frame
    LinkDispatcher dispatcher{{PaneSetOf(panes), PortalFrom(kPortalBase), folder.Path(), failures, view, lists, dialogs,
                               playback, [this](bool shown) { rightPanelShown = shown; }, [] {},
                               [this](const std::string& text) { notices.push_back(text); },
                               [this] { return localListLast; }}};

    PagesFixture() {
        for (const Pane pane : kAllPanes) {
            WebPaneEvents events;
            events.beforeNavigate = dispatcher.HandlerFor(pane);
            Web(pane).SetEvents(events);
        }
    }
    FakeWebPane& Web(Pane pane) { return panes[static_cast<size_t>(pane)]; }
    // A navigation the page itself starts: true when the program took it.
    bool PageNavigates(Pane pane, const std::string& url) {
        bool cancel = false;
        if (Web(pane).events.beforeNavigate) Web(pane).events.beforeNavigate(url, cancel);
        return cancel;
    }
    // A list as the program keeps it: in GB18030.
    void WriteList(std::string_view name, const std::string& text) { folder.Write(name, EncodeGb18030(text)); }
    std::vector<std::string> ListLines(std::string_view list) const {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{});
    }
};

}  // namespace ruvo::test
