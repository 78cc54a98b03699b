#pragma once
// The nine web panes of the main window.
#include <array>
#include <string_view>

namespace ruvo {

enum class Pane {
    PortalPage,       // the portal's home, the main area; the only one that starts playback
    PagePlayer,       // plays what the player cannot, in a page
    HistoryList,      // the watch-history page c.htm
    LocalList,        // the local-file page f.htm
    SidePage,         // the side page and the title pages
    Statistics,       // carries the user identity to the portal, never shown
    PlayerAdvert,     // the advertisement at the player
    ScrollingAdvert,  // the scrolling advertisement bar
    SearchResults,    // over the main area
};

inline constexpr size_t kPaneCount = 9;

// Panes in the order the window loads them.
inline constexpr std::array<Pane, kPaneCount> kAllPanes{
    Pane::PortalPage, Pane::PagePlayer,   Pane::HistoryList,     Pane::LocalList,    Pane::SidePage,
    Pane::Statistics, Pane::PlayerAdvert, Pane::ScrollingAdvert, Pane::SearchResults,
};

class WebPane;
// The window's panes, indexed by Pane.
using PaneSet = std::array<WebPane*, kPaneCount>;
inline WebPane& PaneIn(const PaneSet& panes, Pane pane) { return *panes[static_cast<size_t>(pane)]; }

// The portal's pages that did not load; a notice stands in their place.
struct PaneFailures {
    bool mainPane = false;  // the portal's page
    bool sidePane = false;  // the side page
};

// The pane's name in the diagnostic trace and the page inspector.
inline constexpr std::string_view PaneName(Pane pane) {
    constexpr std::array<std::string_view, kPaneCount> names{"Web1", "Web2", "Web3", "Web4", "Web5",
                                                             "Web6", "Web7", "Web8", "Webso"};
    return names[static_cast<size_t>(pane)];
}

}  // namespace ruvo
