#pragma once
// A web pane on Qt WebEngine: a view for the user interface and a page that
// hands every navigation to the pane's before-navigate handler.
#include <QElapsedTimer>
#include <QUrl>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineView>
#include <optional>

#include "platform/WebPane.h"

class QWebEngineLoadingInfo;
class QWebEngineProfile;

namespace ruvo {

class QtWebPane final : public QWebEngineView, public WebPane {
    Q_OBJECT
public:
    QtWebPane(const QString& name, QWebEngineProfile* profile, QWidget* parent);

    // A pane that is hidden until the user needs it (the page player, the
    // search results, adverts their switches hide) gets its page, and with
    // it the engine's work and memory, only when it first shows: until then
    // a navigation waits. Its handlers hear of it when it happens. A pane
    // that shows before its first load gets its page at that load.
    void MakePageWhenShown() { pageWhenShown_ = true; }
    bool HasPage() const { return page_ != nullptr; }

    void Navigate(const std::string& url) override;
    void SetSilent(bool silent) override { silent_ = silent; }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool IsVisible() const override { return !isHidden(); }
    void Move(int left, int top, int width, int height) override { setGeometry(left, top, width, height); }
    void SetEvents(WebPaneEvents events) override { events_ = std::move(events); }
    void ControlPageMedia(PageMediaAction action) override;

    bool Silent() const { return silent_; }
    // Asks the handler about a navigation the engine is about to start;
    // false when it must not happen.
    // `pageLinkClick`: a click on a link in the page's own main frame.
    bool AcceptNavigation(const QUrl& url, bool typed, bool mainFrame, bool pageLinkClick);

    // The pages whose private links count: the portal's (same origin as
    // `portal`) and the program's own list pages in `localPagesFolder`.
    // Until this is said, none.
    static void TrustPrivateLinksFrom(const QUrl& portal, const QString& localPagesFolder);
    static bool MayUsePrivateLinks(const QUrl& page);

    // The capture script reported a click on a private link in the frame
    // showing `frame` / a right-click.
    void LinkClicked(const std::string& link, const QUrl& frame);
    // The user pressed a key or button in a frame of this origin and address.
    void FrameInput(const QString& origin, const QUrl& frame);
    void ContextMenuAt(const std::string& link);
    // A text field of the page has (true) or lost the focus.
    void SetEditing(bool editing) { editing_ = editing; }
    bool Editing() const { return editing_; }
    // A page wants a new window: report it and give the engine a page that
    // sends an ordinary address to the user's browser and opens nothing else.
    QWebEnginePage* CreateWindowPage();

signals:
    // The page asks to fill the screen with an element (a video) or to stop.
    void PageFullScreenRequested(QWebEngineFullScreenRequest request);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakePage();
    void Load(const QUrl& url);
    void ReportBlankLoad();
    // The portal's own pages play their videos as soon as they load and may
    // fill the screen with them; other pages wait for a click and may not.
    void TrustMediaOf(const QUrl& url);
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    // True when the user clicked, or pressed Enter, on this (shown) pane
    // within the last second and nothing has taken that gesture yet: it
    // takes it. Other keys are typing, never a gesture.
    bool TakeGesture();
    // True when the page may open something outside now: the user's gesture
    // and the spacing of all outside opens allow it. A page held back hears
    // it once a document.
    bool TakeOutsideOpen();
    // A private link the page navigates to by script (or a form) counts when
    // no frame of another site could have started it.
    bool MayFollowScriptedPrivateLink() const;

    QWebEngineProfile* profile_;
    QWebEnginePage* page_ = nullptr;  // made at the first load
    bool pageWhenShown_ = false;
    std::optional<QUrl> waitingUrl_;  // navigated to before the pane first showed
    WebPaneEvents events_;
    bool silent_ = false;
    bool beginReported_ = false;
    bool editing_ = false;
    QElapsedTimer gesture_;  // since the user's last click or key on the pane
    // The user's input reached a frame of another site in this document:
    // such a frame may navigate the page from now on.
    bool foreignFrameActive_ = false;
    bool outsideOpenHeldTold_ = false;  // this document tried more outside opens than allowed
    std::optional<QUrl> ownNavigation_;  // a Navigate call already reported to the handler
    QUrl refusedUrl_;                    // its aborted load raises no events
};

}  // namespace ruvo
