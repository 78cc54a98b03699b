#pragma once
// The before-navigate handlers of the portal page, the two lists, the side
// page and the search results. Each inspects the address about to load; the
// program's own links are cancelled and turned into actions (show a title
// page, play an episode or a television page, search, replay or delete a
// list item). The page player, the statistics page and the adverts have none.
#include <functional>
#include <string>

#include "config/ProgramPlaces.h"
#include "history/HistoryLists.h"
#include "platform/Dialogs.h"
#include "platform/WebPane.h"
#include "view/WindowView.h"
#include "playback/Playback.h"
#include "portal/Panes.h"

namespace ruvo {

class LinkDispatcher {
public:
    using Handler = std::function<void(const std::string& url, bool& cancel)>;

    // The panes (indexed by Pane) and the portal they show, the lists' folder
    // and lists, what plays and the window around it, and the parts the
    // links are turned over to.
    struct Parts {
        PaneSet panes;
        PortalAddress portal;
        std::string programFolder;
        PaneFailures& failures;
        WindowView& controls;
        HistoryLists& lists;
        Dialogs& dialogs;
        // What plays: the links start items there.
        Playback& playback;
        // The right panel beside the player, which the frame owns.
        std::function<void(bool shown)> showRightPanel;
        std::function<void()> showTitlePages;
        // Holds a text in the status line for two seconds (an address refused).
        std::function<void(const std::string&)> showNotice;
        // Whether the local-file list is the list tab shown last.
        std::function<bool()> localListLast;
    };
    explicit LinkDispatcher(Parts parts) : parts_(std::move(parts)) {}

    // The pane's handler; empty for panes that have none.
    Handler HandlerFor(Pane pane);

    void OnPortalPage(const std::string& url, bool& cancel);
    void OnHistoryList(const std::string& url, bool& cancel);
    void OnLocalList(const std::string& url, bool& cancel);
    void OnSidePage(const std::string& url, bool& cancel);
    void OnSearchResults(const std::string& url, bool& cancel);

private:
    // Cancels and hands the address, exactly as received, to another pane's
    // handler (it acts as if clicked there; the pane itself loads nothing).
    void ForwardLink(Pane target, const std::string& url, bool& cancel);
    void ShowTitlePage(const std::string& url);
    void PlayTelevisionPage(const std::string& url);
    void ShowSearch(const std::string& url);
    bool IsPortalSearchPage(const std::string& url) const;
    void CloseSearch();
    void DeleteListLine(const std::string& url);
    void ReplayListItem(const std::string& url);
    // The row's request; a file that is gone is said and its line removed.
    std::optional<PlayRequest> LocalFileRequest(int lineNumber, const std::string& record);

    WebPane& PaneOf(Pane pane) { return PaneIn(parts_.panes, pane); }

    Parts parts_;
};

}  // namespace ruvo
