#include "adapters/qt/PromoWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "base/Twips.h"
#include "adapters/qt/QtWebPane.h"

namespace ruvo {

PromoWindow::PromoWindow(const PromoDesign& design, const std::string& portalBase, QWebEngineProfile* profile,
                         std::function<void()> onClosed)
    : design_(design), onClosed_(std::move(onClosed)) {
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (design.topMost) flags |= Qt::WindowStaysOnTopHint | Qt::Tool;
    setWindowFlags(flags);
    const double dpi = logicalDpiX();
    resize(TwipsToPixels(design.widthTwips, dpi), TwipsToPixels(design.heightTwips, dpi));
    box_ = new QWidget(this);
    pane_ = new QtWebPane(QStringLiteral("promoPage"), profile, box_);
    WebPaneEvents events;
    events.downloadBegin = [this] { pane_->SetSilent(true); };
    // A click on the advertisement opens it in the browser and closes the
    // window; the pane lives on a moment, until the browser has the address.
    events.newWindow = [this] {
        hide();
        QTimer::singleShot(3000, this, &QWidget::close);
    };
    pane_->SetEvents(std::move(events));
    closeImage_ = new QLabel(QStringLiteral("✕"), box_);
    closeImage_->setObjectName(QStringLiteral("Picture1"));
    closeImage_->setStyleSheet(QStringLiteral("background:#333;color:#eee;padding:0 3px"));
    closeImage_->setCursor(Qt::PointingHandCursor);
    closeImage_->installEventFilter(this);
    closeImage_->hide();
    QTimer::singleShot(design.closeImageDelayMs, this, [this] {
        closeImage_->show();
        closeImage_->raise();
    });
    if (design.closeAfterMs > 0) QTimer::singleShot(design.closeAfterMs, this, &QWidget::close);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const ScreenPlace place = design.topMost
                                  ? FloatingAdPlace(area.width(), area.height(), width(), height(), dpi)
                                  : CentredPlace(area.width(), area.height(), width(), height());
    move(area.left() + place.left, area.top() + place.top);
    pane_->Navigate(portalBase + design.page);
}

PromoWindow::~PromoWindow() = default;

void PromoWindow::resizeEvent(QResizeEvent*) {
    if (isMinimized()) return;
    box_->setGeometry(rect());
    // The pane's own border lies outside the visible area.
    pane_->setGeometry(-2, -2, box_->width() + 4, box_->height() + 4);
    closeImage_->adjustSize();
    closeImage_->move(box_->width() - design_.closeImageFromRight, design_.closeImageTop);
}

void PromoWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (auto onClosed = std::move(onClosed_)) onClosed();
}

bool PromoWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == closeImage_ && event->type() == QEvent::MouseButtonRelease) close();
    return QWidget::eventFilter(watched, event);
}

}  // namespace ruvo
