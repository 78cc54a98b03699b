#pragma once
#include <QWebEngineView>
#include <functional>
#include <vector>

namespace ruvo {

// Runs `action` once the portal's page has loaded or failed (a command-line
// item plays into a window that shows the portal), at once when it has.
class AfterFirstPage {
public:
    explicit AfterFirstPage(QWebEngineView& pane) {
        QObject::connect(&pane, &QWebEngineView::loadFinished, &pane, [this] {
            if (ready_) return;
            ready_ = true;
            for (auto& action : waiting_) action();
            waiting_.clear();
        });
    }
    void Run(std::function<void()> action) {
        if (ready_) action();
        else waiting_.push_back(std::move(action));
    }

private:
    bool ready_ = false;
    std::vector<std::function<void()>> waiting_;
};

}  // namespace ruvo
