#include "shell/LayoutGeometry.h"

#include <algorithm>

namespace ruvo {
namespace {

constexpr int kLeftPanelWidth = 212;
constexpr int kRightPanelWidth = 222;
constexpr int kColumnGap = 5;
constexpr int kHeaderHeight = 25;  // the left and centre headers
constexpr int kTabBarHeight = 23;
constexpr int kBottomBarHeight = 20;  // the right panel's foot, holding the list action
constexpr int kToggleSize = 20;

}  // namespace

TwipsSize MinimumWindowSize(bool leftPanelShown, bool rightPanelShown) {
    if (leftPanelShown && rightPanelShown) return {13000, 7000};
    if (leftPanelShown || rightPanelShown) return {9500, 6000};
    return {5500, 4900};
}

TwipsSize RaisedTo(TwipsSize size, TwipsSize minimum) {
    return {std::max(size.width, minimum.width), std::max(size.height, minimum.height)};
}

Rect PaneInHost(const Rect& host) { return {-2, -2, host.width + 4, host.height + 4}; }

std::array<Rect, 6> TitleButtonRects(int innerWidth) {
    std::array<Rect, 6> r{};
    auto leftOf = [](const Rect& button, int step) { return Rect{button.left - step, 4, 24, 24}; };
    r[2] = {innerWidth - 32, 4, 24, 24};
    r[1] = leftOf(r[2], 24);
    r[0] = leftOf(r[1], 24);
    r[5] = leftOf(r[0], 28);  // a 4-pixel gap before the window buttons
    r[4] = leftOf(r[5], 24);
    r[3] = leftOf(r[4], 24);
    return r;
}

Rect ContentAreaRect(int innerWidth, int innerHeight) { return {6, 35, innerWidth - 12, innerHeight - 40}; }

SearchPlaces PlaceSearchControls() {
    SearchPlaces p;
    p.searchFrame = {5, 2, 155, 20};
    p.searchBox = {10, 3, p.searchFrame.width - 10, 14};
    p.searchButton = {p.searchFrame.left + 155, 2, 42, 20};
    return p;
}

PanesPlaces PlacePanes(int contentWidth, int contentHeight, bool leftPanelShown, bool rightPanelShown) {
    PanesPlaces p;
    p.leftPanel = {0, 0, kLeftPanelWidth, contentHeight};
    p.leftHeader = {0, 0, p.leftPanel.width, kHeaderHeight};
    p.leftBody = {0, kHeaderHeight, p.leftPanel.width, p.leftPanel.height - kHeaderHeight};
    p.mainPane = {1, 1, p.leftBody.width - 2, p.leftBody.height - 2};

    p.rightPanel = {contentWidth - kRightPanelWidth, 3, kRightPanelWidth, contentHeight - 3};
    p.rightBody = {1, 1, p.rightPanel.width - 2, p.rightPanel.height - 2};
    p.tabBar = {0, 0, 220, kTabBarHeight};
    p.tabs = {Rect{8, 0, 65, kTabBarHeight}, Rect{78, 0, 65, kTabBarHeight}, Rect{148, 0, 65, kTabBarHeight}};
    p.rightFooter = {0, p.rightBody.height - kBottomBarHeight, p.rightBody.width, kBottomBarHeight};
    p.listTab = {0, kTabBarHeight, p.rightBody.width, p.rightFooter.top - kTabBarHeight};
    p.libraryTab = {0, kTabBarHeight, p.rightBody.width, p.listTab.height + kBottomBarHeight};  // reaches over the foot
    p.listAction = {p.rightFooter.width - 80, 6, 0, 0};

    const int leftWidth = leftPanelShown ? kLeftPanelWidth + kColumnGap : 0;
    const int rightWidth = rightPanelShown ? kRightPanelWidth + kColumnGap : 0;
    p.centreColumn = {leftWidth, 0, contentWidth - leftWidth - rightWidth, contentHeight};
    p.pagePlayer = {0, 0, p.centreColumn.width, p.centreColumn.height};
    p.centreHeader = {0, 0, p.pagePlayer.width, kHeaderHeight};
    p.leftToggle = {5, 2, kToggleSize, kToggleSize};
    p.rightToggle = {p.centreHeader.width - 25, 2, kToggleSize, kToggleSize};
    p.titleLineLeft = p.leftToggle.left + 30;
    p.titleLineTop = 5;
    p.scrollAdBar = {p.centreHeader.width - 220, 2, 190, 20};
    p.pagePlayerClose = {p.pagePlayer.width - 25, kHeaderHeight + 4, kToggleSize, kToggleSize};
    return p;
}

Rect CentredIn(const Rect& outer, int width, int height) {
    return {(outer.width - width) / 2, (outer.height - height) / 2, width, height};
}

PlayerPanelPlaces PlacePlayerPanel(const PlayerPanelInput& in) {
    PlayerPanelPlaces p;
    p.playerBox = in.compact ? Rect{0, 0, in.bodyWidth, in.bodyHeight}
                        : Rect{0, in.headerHeight, in.bodyWidth, in.bodyHeight - in.headerHeight};
    const int W = p.playerBox.width, H = p.playerBox.height;
    p.footShown = !in.compact;
    if (p.footShown) {
        p.playerBar = {0, H - kFootHeight, W, kFootHeight};
        p.seekTrack = {in.seekTrackLeft, p.playerBar.top - in.seekTrackHeight, W, in.seekTrackHeight};
    } else {
        p.seekTrack = {in.seekTrackLeft, H - in.seekTrackHeight, W, in.seekTrackHeight};
    }
    p.statusStrip = {0, p.seekTrack.top - in.statusStripHeight, W, in.statusStripHeight};
    p.playerSurface = {0, 0, W, std::max(0, p.statusStrip.top)};
    p.playerTopStrip = {0, 0, p.playerSurface.width, 28};
    p.playerCover = p.playerSurface;
    p.playerAdPanel = CentredIn(p.playerCover, 300, 250);
    p.statusLine = {13, 3, in.compact ? 100 : in.statusTextWidth, 16};
    p.playTimes = {W - in.timesWidth - 13, 3, in.timesWidth, 16};

    auto button = [](int left, int top, int size = kTransportButtonSize) { return Rect{left, top, size, size}; };
    p.transportButtons[7] = button(W - 32, 3);
    p.transportButtons[4] = button(p.transportButtons[7].left - 26, 3);
    p.transportButtons[3] = button(p.transportButtons[4].left - 26, 3);
    p.volumeTrack = {p.transportButtons[3].left - in.volumeTrackWidth - 10, 11, in.volumeTrackWidth, 7};
    p.transportButtons[2] = button(p.volumeTrack.left - 26, 3);
    p.transportButtons[1] = button(12, 3);
    p.transportButtons[6] = button(p.transportButtons[1].left + 28, 3);
    p.transportButtons[0] = button(p.transportButtons[1].left + 55, 1, 28);  // the play button is the large one
    p.transportButtons[5] = button(p.transportButtons[0].left + 55, 3);
    return p;
}

CompactPlaces PlaceCompact(int innerWidth, int innerHeight, int restoreLabelWidth, int restoreLabelHeight, int titleLineWidth,
                           int titleTextWidth, int titleHeight) {
    CompactPlaces p;
    p.restoreLabel = {innerWidth - restoreLabelWidth - 10, 2, restoreLabelWidth, restoreLabelHeight};
    p.titleFitsText = p.restoreLabel.left - 50 >= titleLineWidth;
    p.windowTitle = {10, 4, p.titleFitsText ? titleTextWidth : p.restoreLabel.left - 100, titleHeight};
    p.contentArea = {2, 20, innerWidth - 4, innerHeight - 23};
    p.centreColumn = {0, 0, p.contentArea.width, p.contentArea.height};
    return p;
}

bool ScrollAdShows(int barLeft, int nameWidth, AdPane scrollAd, bool shownNow) {
    if (barLeft - 60 < nameWidth) return false;
    return scrollAd == AdPane::Shown ? true : shownNow;
}

}  // namespace ruvo
