#pragma once
// The main window's layout as pure geometry: where every panel, pane and
// button goes for a given window size. Window sizes are twips; everything
// placed inside the window is pixels, relative to its container.
#include <array>

#include "platform/WindowControls.h"

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

// Title buttons npc 0-5 (index = npc index) for a window `innerWidth` wide.
std::array<Rect, 6> TitleButtonRects(int innerWidth);

// The frame-level places of the full layout.
inline constexpr Rect kLogoRect{8, 8, 16, 16};    // Im1
inline constexpr int kTitleLabelLeft = 28, kTitleLabelTop = 11;  // ni_name
Rect ContentAreaRect(int innerWidth, int innerHeight);  // zz

// The left panel's header holds the search controls.
struct SearchPlaces {
    Rect soimg, soso, sok;
};
SearchPlaces PlaceSearchControls();

// The three columns of the content area `zz`, each rectangle inside its
// container as the names say.
struct PanesPlaces {
    Rect l3, Pic3, l4, Pic1;  // left panel; w1 and pso lie over Pic1
    Rect l2, l5, tabBar;      // right panel
    std::array<Rect, 3> tabs;  // npc 6, 7, 8
    Rect P3, P5, shan, qk;    // P4 as P3; w5 over P5; qk's left and top only
    Rect L1, Pic2, Pic4;      // centre column; Pic2 fills L1
    Rect npc10, npc11, BAD, ggx;
    int bo_nameLeft = 0, bo_nameTop = 0;
};
PanesPlaces PlacePanes(int zzWidth, int zzHeight, bool leftPanelShown, bool rightPanelShown);

// The player panel `qvod` and what it holds, from the bottom up.
struct PlayerPanelInput {
    int bodyWidth = 0, bodyHeight = 0;  // Pic2's inner size
    int headerHeight = 25;               // Pic4
    bool compact = false;
    int seekTrackHeight = 7, statusStripHeight = 22;  // gunt, bo_zt
    int timesWidth = 0, zhunTextWidth = 0;
    int volumeTrackWidth = 60, volumeKnobWidth = 8;  // yin, bo_v
    int volume = 0;                                  // 0-100
    int seekTrackLeft = 0;                           // gunt keeps its left
};
struct PlayerPanelPlaces {
    Rect qvod, bo_foot, gunt, bo_zt, QvodC, qvodx, bo_ad, ad_huan, zhun, times;
    bool footShown = true;
    std::array<Rect, 8> bo_but;  // their left and top; the size stays
    Rect yin, bo_v, bo_y;
};
inline constexpr int kFootHeight = 31;
inline constexpr int kTransportButtonSize = 24;
PlayerPanelPlaces PlacePlayerPanel(const PlayerPanelInput& in);
// adp centred in bo_ad; next_s 10 pixels under it, at its left.
Rect CentredIn(const Rect& outer, int width, int height);

// The compact window: restore label, title and the player alone.
struct CompactPlaces {
    Rect jbi, ni_name, zz, L1;
    bool titleFitsText = true;  // else ni_name has a fixed width, cut short
};
CompactPlaces PlaceCompact(int innerWidth, int innerHeight, int jbiWidth, int jbiHeight, int bo_nameWidth,
                           int titleTextWidth, int titleHeight);

// Whether the scrolling bar shows next to a name label this wide:
// shown (state 2) or left as it is (`shownNow`) when it fits, hidden when not.
bool ScrollAdShows(int barLeft, int nameWidth, int scrollAdState, bool shownNow);

}  // namespace ruvo
