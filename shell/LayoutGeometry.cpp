#include "shell/LayoutGeometry.h"

#include <algorithm>

namespace ruvo {
namespace {

constexpr int kLeftPanelWidth = 212;
constexpr int kRightPanelWidth = 222;
constexpr int kColumnGap = 5;
constexpr int kHeaderHeight = 25;  // Pic3 and Pic4
constexpr int kTabBarHeight = 23;
constexpr int kBottomBarHeight = 20;  // shan
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
    p.soimg = {5, 2, 155, 20};
    p.soso = {10, 3, p.soimg.width - 10, 14};
    p.sok = {p.soimg.left + 155, 2, 42, 20};
    return p;
}

PanesPlaces PlacePanes(int zzWidth, int zzHeight, bool leftPanelShown, bool rightPanelShown) {
    PanesPlaces p;
    p.l3 = {0, 0, kLeftPanelWidth, zzHeight};
    p.Pic3 = {0, 0, p.l3.width, kHeaderHeight};
    p.l4 = {0, kHeaderHeight, p.l3.width, p.l3.height - kHeaderHeight};
    p.Pic1 = {1, 1, p.l4.width - 2, p.l4.height - 2};

    p.l2 = {zzWidth - kRightPanelWidth, 3, kRightPanelWidth, zzHeight - 3};
    p.l5 = {1, 1, p.l2.width - 2, p.l2.height - 2};
    p.tabBar = {0, 0, 220, kTabBarHeight};
    p.tabs = {Rect{8, 0, 65, kTabBarHeight}, Rect{78, 0, 65, kTabBarHeight}, Rect{148, 0, 65, kTabBarHeight}};
    p.shan = {0, p.l5.height - kBottomBarHeight, p.l5.width, kBottomBarHeight};
    p.P3 = {0, kTabBarHeight, p.l5.width, p.shan.top - kTabBarHeight};
    p.P5 = {0, kTabBarHeight, p.l5.width, p.P3.height + kBottomBarHeight};  // reaches over shan
    p.qk = {p.shan.width - 80, 6, 0, 0};

    const int leftWidth = leftPanelShown ? kLeftPanelWidth + kColumnGap : 0;
    const int rightWidth = rightPanelShown ? kRightPanelWidth + kColumnGap : 0;
    p.L1 = {leftWidth, 0, zzWidth - leftWidth - rightWidth, zzHeight};
    p.Pic2 = {0, 0, p.L1.width, p.L1.height};
    p.Pic4 = {0, 0, p.Pic2.width, kHeaderHeight};
    p.npc10 = {5, 2, kToggleSize, kToggleSize};
    p.npc11 = {p.Pic4.width - 25, 2, kToggleSize, kToggleSize};
    p.bo_nameLeft = p.npc10.left + 30;
    p.bo_nameTop = 5;
    p.BAD = {p.Pic4.width - 220, 2, 190, 20};
    p.ggx = {p.Pic2.width - 25, kHeaderHeight + 4, kToggleSize, kToggleSize};
    return p;
}

Rect CentredIn(const Rect& outer, int width, int height) {
    return {(outer.width - width) / 2, (outer.height - height) / 2, width, height};
}

PlayerPanelPlaces PlacePlayerPanel(const PlayerPanelInput& in) {
    PlayerPanelPlaces p;
    p.qvod = in.compact ? Rect{0, 0, in.bodyWidth, in.bodyHeight}
                        : Rect{0, in.headerHeight, in.bodyWidth, in.bodyHeight - in.headerHeight};
    const int W = p.qvod.width, H = p.qvod.height;
    p.footShown = !in.compact;
    if (p.footShown) {
        p.bo_foot = {0, H - kFootHeight, W, kFootHeight};
        p.gunt = {in.seekTrackLeft, p.bo_foot.top - in.seekTrackHeight, W, in.seekTrackHeight};
    } else {
        p.gunt = {in.seekTrackLeft, H - in.seekTrackHeight, W, in.seekTrackHeight};
    }
    p.bo_zt = {0, p.gunt.top - in.statusStripHeight, W, in.statusStripHeight};
    p.QvodC = {0, 0, W, std::max(0, p.bo_zt.top)};
    p.qvodx = {0, 0, p.QvodC.width, 28};
    p.bo_ad = p.QvodC;
    p.ad_huan = CentredIn(p.bo_ad, 300, 250);
    p.zhun = {13, 3, in.compact ? 100 : in.zhunTextWidth, 16};
    p.times = {W - in.timesWidth - 13, 3, in.timesWidth, 16};

    auto button = [](int left, int top, int size = kTransportButtonSize) { return Rect{left, top, size, size}; };
    p.bo_but[7] = button(W - 32, 3);
    p.bo_but[4] = button(p.bo_but[7].left - 26, 3);
    p.bo_but[3] = button(p.bo_but[4].left - 26, 3);
    p.yin = {p.bo_but[3].left - in.volumeTrackWidth - 10, 11, in.volumeTrackWidth, 7};
    const int volume = std::clamp(in.volume, 0, 100);
    p.bo_v = {(in.volumeTrackWidth - in.volumeKnobWidth) * volume / 100, 0, in.volumeKnobWidth, 7};
    p.bo_y = {0, 4, p.bo_v.left, 2};
    p.bo_but[2] = button(p.yin.left - 26, 3);
    p.bo_but[1] = button(12, 3);
    p.bo_but[6] = button(p.bo_but[1].left + 28, 3);
    p.bo_but[0] = button(p.bo_but[1].left + 55, 1, 28);  // the play button is the large one
    p.bo_but[5] = button(p.bo_but[0].left + 55, 3);
    return p;
}

CompactPlaces PlaceCompact(int innerWidth, int innerHeight, int jbiWidth, int jbiHeight, int bo_nameWidth,
                           int titleTextWidth, int titleHeight) {
    CompactPlaces p;
    p.jbi = {innerWidth - jbiWidth - 10, 2, jbiWidth, jbiHeight};
    p.titleFitsText = p.jbi.left - 50 >= bo_nameWidth;
    p.ni_name = {10, 4, p.titleFitsText ? titleTextWidth : p.jbi.left - 100, titleHeight};
    p.zz = {2, 20, innerWidth - 4, innerHeight - 23};
    p.L1 = {0, 0, p.zz.width, p.zz.height};
    return p;
}

bool ScrollAdShows(int barLeft, int nameWidth, int scrollAdState, bool shownNow) {
    if (barLeft - 60 < nameWidth) return false;
    return scrollAdState == 2 ? true : shownNow;
}

}  // namespace ruvo
