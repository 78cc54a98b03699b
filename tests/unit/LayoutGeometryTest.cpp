// The layout's pure geometry against the design tables.
#include <gtest/gtest.h>

#include "shell/FrameGeometry.h"
#include "shell/LayoutGeometry.h"
#include "base/Twips.h"

namespace ruvo {

void PrintTo(const Rect& r, std::ostream* out) { *out << r.left << "," << r.top << " " << r.width << "x" << r.height; }

namespace {

TEST(LayoutGeometry, MinimumSizesFollowThePanelsShownAndNeverShrink) {
    EXPECT_EQ(MinimumWindowSize(true, true).width, 13000);
    EXPECT_EQ(MinimumWindowSize(true, true).height, 7000);
    EXPECT_EQ(MinimumWindowSize(true, false).width, 9500);
    EXPECT_EQ(MinimumWindowSize(false, true).height, 6000);
    EXPECT_EQ(MinimumWindowSize(false, false).width, 5500);
    EXPECT_EQ(MinimumWindowSize(false, false).height, 4900);
    // 9500 + 3405 = 12905 is raised to 13000; a larger window stays.
    EXPECT_EQ(RaisedTo({12905, 7500}, MinimumWindowSize(true, true)).width, 13000);
    EXPECT_EQ(RaisedTo({12905, 7500}, MinimumWindowSize(true, true)).height, 7500);
    EXPECT_EQ(RaisedTo({8000, 6000}, MinimumWindowSize(false, false)).width, 8000);
    EXPECT_EQ(RaisedTo({100, 100}, kCompactMinimum).width, 4100);
}

TEST(LayoutGeometry, TitleButtonsTouchWithAGapBeforeTheMenu) {
    const auto b = TitleButtonRects(1000);
    EXPECT_EQ(b[2], (Rect{968, 4, 24, 24}));
    EXPECT_EQ(b[1].left, 944);
    EXPECT_EQ(b[0].left, 920);
    EXPECT_EQ(b[5].left, 892);  // 4 pixels apart from the minimise button
    EXPECT_EQ(b[4].left, 868);
    EXPECT_EQ(b[3].left, 844);
    for (const Rect& r : b) EXPECT_EQ(r.top, 4);
}

TEST(LayoutGeometry, PanesSitInTheirColumnsAndOverlapTheirHosts) {
    const PanesPlaces p = PlacePanes(1000, 600, true, true);
    EXPECT_EQ(p.leftPanel, (Rect{0, 0, 212, 600}));
    EXPECT_EQ(p.leftBody, (Rect{0, 25, 212, 575}));
    EXPECT_EQ(p.mainPane, (Rect{1, 1, 210, 573}));
    EXPECT_EQ(p.rightPanel, (Rect{778, 3, 222, 597}));
    EXPECT_EQ(p.rightBody, (Rect{1, 1, 220, 595}));
    EXPECT_EQ(p.rightFooter, (Rect{0, 575, 220, 20}));
    EXPECT_EQ(p.listTab, (Rect{0, 23, 220, 552}));
    EXPECT_EQ(p.libraryTab.height, p.listTab.height + 20);  // the side page reaches over the bottom bar
    EXPECT_EQ(p.listAction.left, 140);
    EXPECT_EQ(p.centreColumn, (Rect{217, 0, 1000 - 217 - 227, 600}));
    EXPECT_EQ(p.centreHeader, (Rect{0, 0, 556, 25}));
    EXPECT_EQ(p.rightToggle, (Rect{531, 2, 20, 20}));
    EXPECT_EQ(p.titleLineLeft, 35);
    EXPECT_EQ(p.scrollAdBar.left, 556 - 220);
    EXPECT_EQ(p.tabs[1], (Rect{78, 0, 65, 23}));
    EXPECT_EQ(PaneInHost(p.mainPane), (Rect{-2, -2, 214, 577}));

    const PanesPlaces none = PlacePanes(1000, 600, false, false);
    EXPECT_EQ(none.centreColumn, (Rect{0, 0, 1000, 600}));
    EXPECT_EQ(PlacePanes(1000, 600, false, true).centreColumn.width, 1000 - 227);
}

TEST(LayoutGeometry, PlayerPanelStacksFromTheBottomUp) {
    PlayerPanelInput in;
    in.bodyWidth = 600;
    in.bodyHeight = 425;
    in.timesWidth = 80;
    in.statusTextWidth = 50;
    const PlayerPanelPlaces p = PlacePlayerPanel(in);
    EXPECT_EQ(p.playerBox, (Rect{0, 25, 600, 400}));
    EXPECT_EQ(p.playerBar, (Rect{0, 369, 600, 31}));
    EXPECT_EQ(p.seekTrack, (Rect{0, 362, 600, 7}));
    EXPECT_EQ(p.statusStrip, (Rect{0, 340, 600, 22}));
    EXPECT_EQ(p.playerSurface, (Rect{0, 0, 600, 340}));
    EXPECT_EQ(p.playerTopStrip, (Rect{0, 0, 600, 28}));
    EXPECT_EQ(p.playerCover, p.playerSurface);
    EXPECT_EQ(p.playerAdPanel, (Rect{150, 45, 300, 250}));
    EXPECT_EQ(p.statusLine, (Rect{13, 3, 50, 16}));
    EXPECT_EQ(p.playTimes.left, 600 - 80 - 13);
    // The bar's buttons: right group from the right edge, left group from 12.
    EXPECT_EQ(p.transportButtons[7].left, 568);
    EXPECT_EQ(p.transportButtons[4].left, 542);
    EXPECT_EQ(p.transportButtons[3].left, 516);
    EXPECT_EQ(p.volumeTrack.left, 516 - 60 - 10);
    EXPECT_EQ(p.volumeTrack.top, 11);
    EXPECT_EQ(p.transportButtons[2].left, 446 - 26);
    EXPECT_EQ(p.transportButtons[1].left, 12);
    EXPECT_EQ(p.transportButtons[6].left, 40);
    EXPECT_EQ(p.transportButtons[0].left, 67);
    EXPECT_EQ(p.transportButtons[0].top, 1);
    EXPECT_EQ(p.transportButtons[5].left, 122);
}

TEST(LayoutGeometry, CompactPlayerHasNoBarAndTheTrackAtTheBottom) {
    PlayerPanelInput in;
    in.bodyWidth = 380;
    in.bodyHeight = 297;
    in.compact = true;
    in.statusTextWidth = 300;
    const PlayerPanelPlaces p = PlacePlayerPanel(in);
    EXPECT_FALSE(p.footShown);
    EXPECT_EQ(p.playerBox, (Rect{0, 0, 380, 297}));
    EXPECT_EQ(p.seekTrack.top, 290);
    EXPECT_EQ(p.statusStrip.top, 268);
    EXPECT_EQ(p.statusLine.width, 100);
    // A panel too small for the strips gives the player no negative height.
    in.bodyHeight = 10;
    EXPECT_EQ(PlacePlayerPanel(in).playerSurface.height, 0);
}

TEST(LayoutGeometry, CompactTitleIsCutShortOfTheRestoreLabel) {
    CompactPlaces fits = PlaceCompact(386, 320, 16, 16, 100, 120, 16);
    EXPECT_EQ(fits.restoreLabel, (Rect{360, 2, 16, 16}));
    EXPECT_TRUE(fits.titleFitsText);
    EXPECT_EQ(fits.windowTitle, (Rect{10, 4, 120, 16}));
    EXPECT_EQ(fits.contentArea, (Rect{2, 20, 382, 297}));
    const CompactPlaces cut = PlaceCompact(386, 320, 16, 16, 400, 900, 16);
    EXPECT_FALSE(cut.titleFitsText);
    EXPECT_EQ(cut.windowTitle.width, 260);
}

TEST(LayoutGeometry, ScrollBarShowsOnlyBesideAShortName) {
    EXPECT_TRUE(ScrollAdShows(300, 200, AdPane::Shown, false));
    EXPECT_FALSE(ScrollAdShows(300, 241, AdPane::Shown, true));
    EXPECT_FALSE(ScrollAdShows(300, 100, AdPane::Unused, false));  // a bar not switched on is left as it is
    EXPECT_TRUE(ScrollAdShows(300, 100, AdPane::Unused, true));
}

TEST(LayoutGeometry, TwipsFollowTheScreensResolution) {
    EXPECT_EQ(TwipsToPixels(13000, 96), 867);
    EXPECT_EQ(TwipsToPixels(13000, 192), 1733);
    EXPECT_EQ(PixelsToTwips(TwipsToPixels(14750, 144), 144), 14750);
    EXPECT_EQ(PixelsToTwips(100, 0), 0);
}

TEST(FrameGeometry, BorderZonesAreThreePixelsWide) {
    const int W = 800, H = 600;
    EXPECT_EQ(ZoneAt(798, 300, W, H), BorderZone::Right);  // 2 pixels from the right edge
    EXPECT_EQ(ZoneAt(796, 300, W, H), BorderZone::Inside);  // 4 pixels from it
    EXPECT_EQ(ZoneAt(799, 1, W, H), BorderZone::TopRight);
    EXPECT_EQ(ZoneAt(799, 599, W, H), BorderZone::BottomRight);
    EXPECT_EQ(ZoneAt(2, 300, W, H), BorderZone::Left);
    EXPECT_EQ(ZoneAt(0, 0, W, H), BorderZone::TopLeft);
    EXPECT_EQ(ZoneAt(1, 598, W, H), BorderZone::BottomLeft);
    EXPECT_EQ(ZoneAt(400, 3, W, H), BorderZone::Top);
    EXPECT_EQ(ZoneAt(400, 597, W, H), BorderZone::Bottom);
    EXPECT_EQ(CursorOf(BorderZone::TopRight), CursorShape::SizeNESW);
    EXPECT_EQ(CursorOf(BorderZone::BottomRight), CursorShape::SizeNWSE);
    EXPECT_EQ(CursorOf(BorderZone::Top), CursorShape::SizeNS);
    EXPECT_EQ(CursorOf(BorderZone::Inside), CursorShape::Arrow);
    EXPECT_EQ(EdgeOf(BorderZone::BottomLeft), ResizeEdge::BottomLeft);
    EXPECT_EQ(EdgeOf(BorderZone::Inside), ResizeEdge::None);
}

TEST(FrameGeometry, FramePiecesCoverTheWindowFromTheFramePicture) {
    const FramePieces p = FramePiecesFor(800, 600);
    EXPECT_EQ(p[0].destination, (Rect{0, 55, 35, 545}));  // left edge
    EXPECT_EQ(p[0].source, (Rect{0, 55, 35, 8}));
    EXPECT_EQ(p[1].destination, (Rect{765, 55, 35, 545}));
    EXPECT_EQ(p[2].destination, (Rect{35, 555, 730, 45}));  // bottom edge
    EXPECT_EQ(p[4].source, (Rect{45, 63, 35, 45}));
    EXPECT_EQ(p[5].destination, (Rect{40, 0, 730, 55}));  // top edge
    EXPECT_EQ(p[7].destination, (Rect{770, 0, 30, 55}));  // top-right corner
    for (const FramePiece& piece : p) {
        EXPECT_LE(piece.source.left + piece.source.width, 80);
        EXPECT_LE(piece.source.top + piece.source.height, 108);
    }
}

}  // namespace
}  // namespace ruvo
