#pragma once
// Keeps the panes quiet and presentable: every pane is silent, a portal page
// that failed to load is replaced by a notice (a click on it retries), and the
// advertisement boxes hide when their page fails.
#include <functional>
#include <string>

#include "platform/WebPane.h"
#include "view/WindowView.h"
#include "promo/AdPane.h"
#include "portal/Panes.h"

namespace ruvo {

class PaneLoadEvents {
public:
    // The panes (indexed by Pane), the portal they load, the window's
    // notices, what failed to load, and where a watch-history row's
    // right-click goes.
    struct Parts {
        PaneSet panes;
        std::string portalBase;
        PaneFailures& failures;
        AdPanes& ads;
        WindowView& controls;
        std::function<void(const std::string& link)> historyRowRightClicked;
    };
    explicit PaneLoadEvents(Parts parts) : parts_(std::move(parts)) {}

    // The pane's download-begin, download-complete and navigate-error handlers.
    WebPaneEvents EventsFor(Pane pane);

    // A click on the main area's notice picture "w2": load the home page again.
    void RetryMainArea();
    // A click on the side pane's notice picture "w6": load the side page again.
    void RetrySidePane();

private:
    void Completed(Pane pane);
    void Failed(Pane pane, const std::string& url);

    WebPane& PaneOf(Pane pane) { return PaneIn(parts_.panes, pane); }

    Parts parts_;
};

}  // namespace ruvo
