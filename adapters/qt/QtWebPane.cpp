#include "adapters/qt/QtWebPane.h"

#include <QChildEvent>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include "base/PrivateSchemes.h"
#include "adapters/qt/LinkCapture.h"
#include "adapters/qt/OutsideOpens.h"
#include "portal/LinkRecovery.h"

namespace ruvo {
namespace {

// Chromium's code for a navigation that was stopped (by a handler or a newer
// navigation); it is never a load error for the pane's handlers.
constexpr int kErrorAborted = -3;

EngineUrl PiecesOf(const QUrl& url) {
    EngineUrl pieces;
    pieces.valid = url.isValid();
    pieces.errorString = url.errorString().toStdString();
    pieces.scheme = url.scheme().toStdString();
    pieces.host = url.host(QUrl::FullyEncoded).toStdString();
    pieces.encodedText = url.toString(QUrl::FullyEncoded).toStdString();
    QString rest;
    if (url.port() >= 0) rest += ':' + QString::number(url.port());
    rest += url.path(QUrl::FullyEncoded);
    if (url.hasQuery()) rest += '?' + url.query(QUrl::FullyEncoded);
    if (url.hasFragment()) rest += '#' + url.fragment(QUrl::FullyEncoded);
    pieces.afterHost = rest.toStdString();
    return pieces;
}

QUrl ToEngineUrl(const std::string& text) {
    const QString url = QString::fromStdString(text);
    if (url.startsWith('/')) return QUrl::fromLocalFile(url);
    return QUrl(url);
}

class PanePage final : public QWebEnginePage {
public:
    PanePage(QWebEngineProfile* profile, QtWebPane* pane) : QWebEnginePage(profile, pane), pane_(pane) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        return pane_->AcceptNavigation(url, type == NavigationTypeTyped, isMainFrame,
                                       isMainFrame && type == NavigationTypeLinkClicked);
    }
    QWebEnginePage* createWindow(WebWindowType) override { return pane_->CreateWindowPage(); }
    void javaScriptAlert(const QUrl& origin, const QString& text) override {
        if (!pane_->Silent()) QWebEnginePage::javaScriptAlert(origin, text);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override {
        QString link;
        switch (LinkCapture::Parse(message, link)) {
            case LinkCapture::Kind::Click: {
                const qsizetype lineEnd = link.indexOf(QLatin1Char('\n'));
                if (lineEnd < 0) return;
                pane_->LinkClicked(link.mid(lineEnd + 1).toStdString(), QUrl(link.left(lineEnd)));
                return;
            }
            case LinkCapture::Kind::ContextMenu: pane_->ContextMenuAt(link.toStdString()); return;
            case LinkCapture::Kind::Editing: pane_->SetEditing(link == QLatin1String("1")); return;
            case LinkCapture::Kind::FrameInput: {
                const qsizetype lineEnd = link.indexOf(QLatin1Char('\n'));
                if (lineEnd >= 0) pane_->FrameInput(link.left(lineEnd), QUrl(link.mid(lineEnd + 1)));
                return;
            }
            case LinkCapture::Kind::None: break;
        }
        if (!pane_->Silent()) QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& text) override {
        return !pane_->Silent() && QWebEnginePage::javaScriptConfirm(origin, text);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& value, QString* result) override {
        return !pane_->Silent() && QWebEnginePage::javaScriptPrompt(origin, text, value, result);
    }

private:
    QtWebPane* pane_;
};

// The page behind a new window: its first navigation goes to the browser
// when it is an ordinary web address; then it goes away.
class NewWindowPage final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

    // A page whose script never navigates goes all the same.
    void ExpireAfter(int milliseconds) { QTimer::singleShot(milliseconds, this, &QObject::deleteLater); }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
            QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

// How long a click or key press on a pane lets a new window come from it,
// and how long the helper page of a new window waits for its address.
constexpr qint64 kGestureMs = 1000;
constexpr int kHelperPageMs = 5000;

}  // namespace

QtWebPane::QtWebPane(const QString& name, QWebEngineProfile* profile, QWidget* parent)
    : QWebEngineView(parent), profile_(profile) {
    setObjectName(name);
    setContextMenuPolicy(Qt::NoContextMenu);  // the engine's menu never shows
}

void QtWebPane::MakePage() {
    if (page_) return;
    page_ = new PanePage(profile_, this);
    setPage(page_);
    for (QObject* child : children())
        if (child->isWidgetType()) child->installEventFilter(this);
    connect(page_, &QWebEnginePage::loadingChanged, this, &QtWebPane::OnLoadingChanged);
    connect(page_, &QWebEnginePage::urlChanged, this, &QtWebPane::TrustMediaOf);
    connect(page_, &QWebEnginePage::fullScreenRequested, this, &QtWebPane::PageFullScreenRequested);
    // A renderer that crashed (panes of one site share it) leaves its panes
    // blank: they load their page again.
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus) return;
                QTimer::singleShot(0, this, [this] { page_->triggerAction(QWebEnginePage::Reload); });
            });
}

void QtWebPane::Navigate(const std::string& url) {
    bool cancel = false;
    if (events_.beforeNavigate) events_.beforeNavigate(url, cancel);
    if (cancel || IsPrivateLink(url)) return;  // a private link nobody took opens nothing
    if (url == "about:blank" && (!page_ || page_->url().isEmpty())) {
        waitingUrl_.reset();
        ReportBlankLoad();
        return;
    }
    const QUrl engineUrl = ToEngineUrl(url);
    if (!page_ && pageWhenShown_ && !isVisibleTo(window())) {
        waitingUrl_ = engineUrl;
        return;
    }
    Load(engineUrl);
}

void QtWebPane::Load(const QUrl& url) {
    MakePage();
    TrustMediaOf(url);  // in place before the page's first script runs
    ownNavigation_ = url;
    load(url);
}

void QtWebPane::showEvent(QShowEvent* event) {
    if (!page_ && pageWhenShown_ && !waitingUrl_) {
        // Nothing to show yet. A page made now would start its blank first
        // document in a renderer process of its own, which the site's page
        // loaded into it later keeps; made at the first load, it joins the
        // site's process. The base class would make a plain page: skipped.
        QWidget::showEvent(event);
        return;
    }
    MakePage();  // shown, it needs one now (else the view would make a plain one of its own)
    QWebEngineView::showEvent(event);
    if (!waitingUrl_) return;
    const QUrl url = *waitingUrl_;
    waitingUrl_.reset();
    Load(url);
}

void QtWebPane::hideEvent(QHideEvent* event) {
    if (!page_) return QWidget::hideEvent(event);  // the base class would make a page to hide it
    QWebEngineView::hideEvent(event);
}

// A pane that never showed a page is blank already; loading "about:blank"
// would only start a renderer process of its own (some 18 MB) for nothing.
// Its handlers hear of the load as the engine would tell them, afterwards.
void QtWebPane::ReportBlankLoad() {
    QTimer::singleShot(0, this, [this] {
        if (page_ && !page_->url().isEmpty()) return;  // a real page came first
        if (events_.downloadBegin) events_.downloadBegin();
        if (events_.downloadComplete) events_.downloadComplete();
    });
}

namespace {

QString& PortalOrigin() {
    static QString origin;
    return origin;
}
QString& LocalPagesFolder() {
    static QString folder;
    return folder;
}

}  // namespace

void QtWebPane::TrustMediaOf(const QUrl& url) {
    if (!page_) return;
    const bool own = MayUsePrivateLinks(url);
    page_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, !own);
    page_->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, own);
}

void QtWebPane::ControlPageMedia(PageMediaAction action) {
    if (!page_) return;
    const char* command = action == PageMediaAction::Play    ? "m.play()"
                          : action == PageMediaAction::Pause ? "m.pause()"
                                                             : "(m.paused ? m.play() : m.pause())";
    // In a world of the program's own: the page's scripts cannot see or
    // change this one; the video element is the page's.
    page_->runJavaScript(QStringLiteral("(function(){var m=document.querySelector('video,audio');if(m)%1;})()")
                              .arg(QLatin1String(command)),
                          QWebEngineScript::ApplicationWorld);
}

void QtWebPane::TrustPrivateLinksFrom(const QUrl& portal, const QString& localPagesFolder) {
    PortalOrigin() = portal.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
    LocalPagesFolder() = localPagesFolder.endsWith(QLatin1Char('/')) ? localPagesFolder : localPagesFolder + QLatin1Char('/');
}

bool QtWebPane::MayUsePrivateLinks(const QUrl& page) {
    if (page.isLocalFile()) return !LocalPagesFolder().isEmpty() && page.toLocalFile().startsWith(LocalPagesFolder());
    const QString origin = page.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
    return !PortalOrigin().isEmpty() && origin == PortalOrigin();
}

bool QtWebPane::AcceptNavigation(const QUrl& url, bool typed, bool mainFrame, bool pageLinkClick) {
    if (ownNavigation_ && (typed || url == *ownNavigation_)) {
        ownNavigation_.reset();
        return true;
    }
    const std::string text = RecoverLinkText(PiecesOf(url));
    // The portal's own pages use the private links; a page of another site,
    // or a frame of one inside a portal page, gets nothing from them. (A
    // frame's own address is not known here: no frame's navigation counts,
    // nor the page's once a frame of another site has had the user's input.)
    const bool tooLong = text.size() > static_cast<size_t>(LinkCapture::kLongestPrivateLink);
    if (MentionsPrivateScheme(text) && (!mainFrame || tooLong || !MayFollowScriptedPrivateLink())) {
        refusedUrl_ = url;
        return false;
    }
    if (MentionsPrivateScheme(text)) {
        // The program's own links are handled after the engine's callback has
        // returned: a handler may wait for the portal, which must not happen
        // inside the engine. An ordinary address that no handler takes loads then.
        refusedUrl_ = url;
        const bool privateScheme = IsPrivateLink(text);
        QTimer::singleShot(0, this, [this, text, url, privateScheme] {
            // The input that let a frame start it may have been told only now.
            if (!MayFollowScriptedPrivateLink()) return;
            bool cancel = false;
            if (events_.beforeNavigate) events_.beforeNavigate(text, cancel);
            if (cancel || privateScheme) return;
            ownNavigation_ = url;
            load(url);
        });
        return false;
    }
    // A frame goes where it likes inside the page; the handlers' rules
    // (search results, links that leave the portal) are the page's own.
    if (!mainFrame) return true;
    bool cancel = false;
    if (events_.beforeNavigate) events_.beforeNavigate(text, cancel);
    // A link that leaves the portal opens in the browser only when the user
    // clicked it; one a script clicked goes nowhere.
    // (Asked first without the user: it opens nothing then, and tells
    // whether the link leaves at all.)
    if (!cancel && pageLinkClick && events_.linkOpensOutside && events_.linkOpensOutside(text, false)) {
        cancel = true;
        if (TakeOutsideOpen()) events_.linkOpensOutside(text, true);
    }
    if (cancel) refusedUrl_ = url;
    return !cancel;
}

bool QtWebPane::MayFollowScriptedPrivateLink() const {
    return page_ && !foreignFrameActive_ && MayUsePrivateLinks(page_->url());
}

bool QtWebPane::TakeGesture() {
    if (!isVisible() || !gesture_.isValid() || gesture_.elapsed() > kGestureMs) return false;
    gesture_.invalidate();
    return true;
}

bool QtWebPane::TakeOutsideOpen() {
    if (TakeGesture() && OutsideOpens::Take()) return true;
    if (!outsideOpenHeldTold_ && events_.outsideOpensHeld) events_.outsideOpensHeld();
    outsideOpenHeldTold_ = true;
    return false;
}

void QtWebPane::FrameInput(const QString& origin, const QUrl& frame) {
    const bool portalOrigin = !PortalOrigin().isEmpty() && origin == PortalOrigin();
    if (!portalOrigin && !MayUsePrivateLinks(frame)) foreignFrameActive_ = true;
}

void QtWebPane::LinkClicked(const std::string& link, const QUrl& frame) {
    // The click never reaches the engine: the handler sees the exact text,
    // and a private link nobody takes opens nothing. It runs once the
    // engine's callback has returned, like every private link; only a click
    // in a portal page (or frame) or in the program's own list pages counts.
    if (!MayUsePrivateLinks(frame)) return;
    QTimer::singleShot(0, this, [this, link] {
        bool cancel = false;
        if (events_.beforeNavigate) events_.beforeNavigate(link, cancel);
    });
}

void QtWebPane::ContextMenuAt(const std::string& link) {
    if (events_.contextMenu) events_.contextMenu(link);
}

QWebEnginePage* QtWebPane::CreateWindowPage() {
    // Only the user's own click or Enter on this pane opens a window, one a
    // gesture and one a second: a page's or advert's script cannot open any
    // by itself, nor one a key typed in its fields.
    if (!TakeOutsideOpen()) return nullptr;
    if (events_.newWindow) events_.newWindow();
    auto* helper = new NewWindowPage(profile_, this);
    helper->ExpireAfter(kHelperPageMs);
    return helper;
}

void QtWebPane::childEvent(QChildEvent* event) {
    QWebEngineView::childEvent(event);
    // The engine's own widget gets the mouse and keys: watch it for gestures.
    if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
}

bool QtWebPane::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const auto isEnter = [event] {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    };
    if (type == QEvent::MouseButtonPress || (type == QEvent::KeyPress && isEnter())) gesture_.start();
    return QWebEngineView::eventFilter(watched, event);
}

void QtWebPane::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            if (info.url() == refusedUrl_) return;
            beginReported_ = true;
            if (events_.downloadBegin) events_.downloadBegin();
            return;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            if (info.errorCode() != kErrorAborted) {
                // On the console, for whoever wonders why a pane shows its notice.
                std::fprintf(stderr, "ruvo-box: %s could not load %s: %s (%d)\n", qPrintable(objectName()),
                             qPrintable(info.url().toString()), qPrintable(info.errorString()), info.errorCode());
                if (beginReported_ && events_.navigateError) events_.navigateError(info.url().toString().toStdString());
            }
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            break;
    }
    // A new document has new frames, which nobody has touched yet.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        foreignFrameActive_ = false;
        outsideOpenHeldTold_ = false;
    }
    if (!beginReported_) return;
    beginReported_ = false;
    if (events_.downloadComplete) events_.downloadComplete();
}

}  // namespace ruvo
