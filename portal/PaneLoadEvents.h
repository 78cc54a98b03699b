#pragma once
// Keeps the panes quiet and presentable: every pane is silent, a portal page
// that failed to load is replaced by a notice (a click on it retries), and the
// advertisement boxes hide when their page fails.
#include "platform/WebPane.h"
#include "portal/Panes.h"

namespace ruvo {

class MainWindow;

class PaneLoadEvents {
public:
    explicit PaneLoadEvents(MainWindow& window) : window_(window) {}

    // The pane's download-begin, download-complete and navigate-error handlers.
    WebPaneEvents EventsFor(Pane pane);

    // A click on the main area's notice picture "w2": load the home page again.
    void RetryMainArea();
    // A click on the side pane's notice picture "w6": load the side page again.
    void RetrySidePane();

private:
    void Completed(Pane pane);
    void Failed(Pane pane, const std::string& url);

    MainWindow& window_;
};

}  // namespace ruvo
