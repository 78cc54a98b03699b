#pragma once
// One embedded web view (a pane of the main window). All calls and events
// happen on the user-interface thread.
//
// Order of events for one navigation: BeforeNavigate (may cancel; a cancelled
// navigation raises nothing more) -> DownloadBegin -> [NavigateError] ->
// DownloadComplete. A handler may call Navigate on any pane, its own included,
// from inside BeforeNavigate.
#include <functional>
#include <string>

namespace ruvo {

// The status line's notice for a page held back from opening more outside.
inline constexpr const char* kOutsideOpensHeldText = "已阻止网页打开更多窗口";

struct WebPaneEvents {
    // The address as the page wrote it (or as Navigate was given it). Set
    // `cancel` to stop the navigation.
    std::function<void(const std::string& url, bool& cancel)> beforeNavigate;
    std::function<void()> downloadBegin;
    std::function<void()> downloadComplete;
    std::function<void()> newWindow;
    // A page that failed to load (not a navigation that a handler cancelled).
    std::function<void(const std::string& url)> navigateError;
    // A right-click in the page: the link under the mouse as the page wrote
    // it ("" when there is none). The engine's own menu never shows.
    std::function<void(const std::string& link)> contextMenu;
    // A click on an ordinary link in the page itself that the handlers let
    // through: true when the link leaves the portal and the pane stays where
    // it is. `byUser`: the user's own click (or key) on the shown pane in
    // the last second, which nothing else has taken; only such a click
    // opens the link elsewhere (the browser), a script's opens nothing.
    std::function<bool(const std::string& url, bool byUser)> linkOpensOutside;
    // The page tried to open something outside (a link, a new window) that
    // no click or Enter of the user's allowed, or more than one a second:
    // told once a document, whatever it tries next.
    std::function<void()> outsideOpensHeld;
};

// What the desktop's media controls ask of a page that plays a video itself.
enum class PageMediaAction { PlayPause, Play, Pause };

class WebPane {
public:
    virtual ~WebPane() = default;
    // Starts loading and returns at once. BeforeNavigate is raised for it
    // first. "about:blank" is an empty page; an absolute file path a local page.
    virtual void Navigate(const std::string& url) = 0;
    // Suppresses script dialogs and error reports of the page.
    virtual void SetSilent(bool silent) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // Places the pane inside its window, in pixels.
    virtual void Move(int left, int top, int width, int height) = 0;
    // Replaces the event handlers.
    virtual void SetEvents(WebPaneEvents events) = 0;
    // Plays or pauses the video (or sound) the page shows.
    virtual void ControlPageMedia(PageMediaAction) {}
};

}  // namespace ruvo
