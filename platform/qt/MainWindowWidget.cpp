#include "platform/qt/MainWindowWidget.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "portal/MainWindow.h"
#include "shell/Twips.h"

namespace ruvo {

MainWindowWidget::MainWindowWidget(QWebEngineProfile* profile) {
    setObjectName(QStringLiteral("BA1"));
    setWindowTitle(QString::fromUtf8(kMainWindowCaption));
    for (const ruvo::Pane pane : kAllPanes) {
        const std::string_view name = PaneName(pane);
        panes_[static_cast<size_t>(pane)] =
            new QtWebPane(QString::fromUtf8(name.data(), static_cast<int>(name.size())), profile, this);
    }
    BuildProvisionalLayout();
}

void MainWindowWidget::BuildProvisionalLayout() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(2);

    auto* left = new QVBoxLayout;
    mainArea_ = new QStackedWidget(central);
    mainArea_->addWidget(&Pane(ruvo::Pane::Web1));
    mainArea_->addWidget(&Pane(ruvo::Pane::Webso));
    left->addWidget(mainArea_, 1);
    Pane(ruvo::Pane::Web8).setFixedHeight(26);
    left->addWidget(&Pane(ruvo::Pane::Web8));
    columns->addLayout(left, 1);

    rightPanel_ = new QTabWidget(central);
    rightPanel_->addTab(&Pane(ruvo::Pane::Web5), QStringLiteral("片库"));
    rightPanel_->addTab(&Pane(ruvo::Pane::Web3), QStringLiteral("观看记录"));
    rightPanel_->addTab(&Pane(ruvo::Pane::Web4), QStringLiteral("本地文件"));
    rightPanel_->setFixedWidth(240);
    columns->addWidget(rightPanel_);

    // The player page, the statistics page and the player advertisement load
    // from the start but show only when their part needs them.
    for (const ruvo::Pane hidden : {ruvo::Pane::Web2, ruvo::Pane::Web6, ruvo::Pane::Web7}) {
        Pane(hidden).setParent(central);
        Pane(hidden).hide();
    }
    setCentralWidget(central);
}

std::array<WebPane*, kPaneCount> MainWindowWidget::PaneInterfaces() {
    std::array<WebPane*, kPaneCount> interfaces{};
    for (size_t i = 0; i < kPaneCount; ++i) interfaces[i] = panes_[i];
    return interfaces;
}

WorkArea MainWindowWidget::QueryWorkArea() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void MainWindowWidget::LimitMaximizedSize(int width, int height) {
    if (width > 0 && height > 0) setMaximumSize(width, height);
}

void MainWindowWidget::EnableTaskbarMinimizeRestore() {
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
}

void MainWindowWidget::ResizeTwips(int width, int height) {
    const double dpi = logicalDpiX();
    resize(TwipsToPixels(width, dpi), TwipsToPixels(height, dpi));
}

}  // namespace ruvo
