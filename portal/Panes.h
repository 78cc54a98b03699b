#pragma once
// The nine web panes of the main window.
#include <array>
#include <string_view>

namespace ruvo {

enum class Pane {
    Web1,   // portal home, the main pane; the only one that starts playback
    Web2,   // page player for sources the player control does not play
    Web3,   // watch-history page c.htm
    Web4,   // local-file page f.htm
    Web5,   // side page and title pages
    Web6,   // statistics page, carries the user identity to the portal
    Web7,   // advertisement at the player
    Web8,   // scrolling advertisement bar
    Webso,  // search results, over the main pane
};

inline constexpr size_t kPaneCount = 9;

// Panes in the order the window loads them.
inline constexpr std::array<Pane, kPaneCount> kAllPanes{Pane::Web1, Pane::Web2, Pane::Web3, Pane::Web4, Pane::Web5,
                                                        Pane::Web6, Pane::Web7, Pane::Web8, Pane::Webso};

class WebPane;
// The window's panes, indexed by Pane.
using PaneSet = std::array<WebPane*, kPaneCount>;
inline WebPane& PaneIn(const PaneSet& panes, Pane pane) { return *panes[static_cast<size_t>(pane)]; }

// The portal's pages that did not load; a notice stands in their place.
struct PaneFailures {
    bool mainPane = false;  // the portal's page (Web1)
    bool sidePane = false;  // the side page (Web5)
};

inline constexpr std::string_view PaneName(Pane pane) {
    constexpr std::array<std::string_view, kPaneCount> names{"Web1", "Web2", "Web3", "Web4", "Web5",
                                                             "Web6", "Web7", "Web8", "Webso"};
    return names[static_cast<size_t>(pane)];
}

}  // namespace ruvo
