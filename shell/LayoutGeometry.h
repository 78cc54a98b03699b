#pragma once
// The main window's layout as pure geometry: where every panel, pane and
// button goes for a given window size. Window sizes are twips; everything
// placed inside the window is pixels, relative to its container.
#include <array>

#include "view/WindowView.h"
#include "promo/AdPane.h"

namespace ruvo {

struct TwipsSize {
    int width = 0, height = 0;
};

// The smallest full-layout window for the panels shown.
TwipsSize MinimumWindowSize(bool leftPanelShown, bool rightPanelShown);
inline constexpr TwipsSize kCompactMinimum{4100, 3000};
// A size raised to a minimum; a larger size is left as it is.
TwipsSize RaisedTo(TwipsSize size, TwipsSize minimum);

// A web pane overlaps its host by 2 pixels on every side, so the view's own
// border is never visible.
Rect PaneInHost(const Rect& host);

// The title bar's six buttons, in WindowButton's order, for a window `innerWidth` wide.
std::array<Rect, 6> TitleButtonRects(int innerWidth);

// The frame-level places of the full layout.
inline constexpr Rect kLogoRect{8, 8, 16, 16};
inline constexpr int kTitleLabelLeft = 28, kTitleLabelTop = 11;  // the window's title
Rect ContentAreaRect(int innerWidth, int innerHeight);

// The left panel's header holds the search controls.
struct SearchPlaces {
    Rect searchFrame, searchBox, searchButton;
};
SearchPlaces PlaceSearchControls();

// The three columns of the content area, each rectangle inside its
// container as the names say.
struct PanesPlaces {
    // The left panel: the search results and the main area's notice lie over the main pane.
    Rect leftPanel, leftHeader, leftBody, mainPane;
    Rect rightPanel, rightBody, tabBar;
    std::array<Rect, 3> tabs;  // 片库, 观看记录, 本地文件
    // Both list tabs take `listTab`; the side pane's notice lies over the
    // library tab; of the list action, the left and top only.
    Rect listTab, libraryTab, rightFooter, listAction;
    Rect centreColumn, pagePlayer, centreHeader;  // the page player fills the centre column
    Rect leftToggle, rightToggle, scrollAdBar, pagePlayerClose;
    int titleLineLeft = 0, titleLineTop = 0;
};
PanesPlaces PlacePanes(int contentWidth, int contentHeight, bool leftPanelShown, bool rightPanelShown);

// The player box and what it holds, from the bottom up.
struct PlayerPanelInput {
    int bodyWidth = 0, bodyHeight = 0;  // the page player box's inner size
    int headerHeight = 25;               // the centre header's
    bool compact = false;
    int seekTrackHeight = 7, statusStripHeight = 22;
    int timesWidth = 0, statusTextWidth = 0;
    int volumeTrackWidth = 60;
    int seekTrackLeft = 0;  // the seek track keeps its left
};
struct PlayerPanelPlaces {
    Rect playerBox, playerBar, seekTrack, statusStrip, playerSurface, playerTopStrip, playerCover, playerAdPanel,
        statusLine, playTimes;
    bool footShown = true;
    std::array<Rect, 8> transportButtons;  // their left and top; the size stays
    Rect volumeTrack;
};
inline constexpr int kFootHeight = 31;
inline constexpr int kTransportButtonSize = 24;
PlayerPanelPlaces PlacePlayerPanel(const PlayerPanelInput& in);
// The player's advertisement picture centred in the cover; the next-episode
// notice 10 pixels under it, at its left.
Rect CentredIn(const Rect& outer, int width, int height);

// The compact window: restore label, title and the player alone.
struct CompactPlaces {
    Rect restoreLabel, windowTitle, contentArea, centreColumn;
    bool titleFitsText = true;  // else the window title has a fixed width, cut short
};
CompactPlaces PlaceCompact(int innerWidth, int innerHeight, int restoreLabelWidth, int restoreLabelHeight,
                           int titleLineWidth, int titleTextWidth, int titleHeight);

// Whether the scrolling bar shows next to a name label this wide:
// shown (state 2) or left as it is (`shownNow`) when it fits, hidden when not.
bool ScrollAdShows(int barLeft, int nameWidth, AdPane scrollAd, bool shownNow);

}  // namespace ruvo
