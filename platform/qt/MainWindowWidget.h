#pragma once
// The main window "BA1" as a Qt widget: it owns the nine web panes and
// answers the window questions of the main window's logic. Until the skinned
// frame exists the panes sit in a plain layout: the portal (or the search
// results over it) on the left with the page player and the scrolling bar
// below, the side page and the two list pages as tabs on the right.
#include <QMainWindow>
#include <array>

#include "platform/MainWindowHost.h"
#include "platform/qt/QtWebPane.h"
#include "portal/Panes.h"

class QStackedWidget;
class QTabWidget;
class QWebEngineProfile;

namespace ruvo {

class MainWindowWidget final : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    explicit MainWindowWidget(QWebEngineProfile* profile);

    QtWebPane& Pane(ruvo::Pane pane) { return *panes_[static_cast<size_t>(pane)]; }
    std::array<WebPane*, kPaneCount> PaneInterfaces();

    WorkArea QueryWorkArea() override;
    void LimitMaximizedSize(int width, int height) override;
    void EnableTaskbarMinimizeRestore() override;
    void ResizeTwips(int width, int height) override;
    void SetKeyPreview(bool on) override { keyPreview_ = on; }

private:
    void BuildProvisionalLayout();

    std::array<QtWebPane*, kPaneCount> panes_{};
    QStackedWidget* mainArea_ = nullptr;
    QTabWidget* rightPanel_ = nullptr;
    bool keyPreview_ = false;
};

}  // namespace ruvo
