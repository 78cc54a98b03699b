#include "shell/WindowLayout.h"

#include "portal/LinkText.h"
#include "portal/MainWindow.h"
#include "shell/ButtonLooks.h"
#include "shell/FrameGeometry.h"
#include "shell/LayoutGeometry.h"

namespace ruvo {
namespace {

void PlacePane(WindowControls& c, Pane pane, const Rect& host) {
    c.Move({ControlName::pane, static_cast<int>(pane)}, PaneInHost(host));
}

void MoveTo(WindowControls& c, ControlId control, int left, int top) {
    Rect rect = c.Geometry(control);
    rect.left = left;
    rect.top = top;
    c.Move(control, rect);
}

}  // namespace

bool WindowLayout::LeftPanelShown() const { return Contains(window_.Controls().Tooltip({ControlName::npc, 10}), "关闭"); }

bool WindowLayout::RightPanelShown() const {
    return Contains(window_.Controls().Tooltip({ControlName::npc, 11}), "关闭");
}

void WindowLayout::OnResize() {
    MainWindowHost& host = window_.Host();
    if (host.IsMinimized()) return;
    if (window_.State().compactMode == 1) {
        LayoutCompact();
        return;
    }
    if (!host.IsMaximized()) LayoutNormal();
    PaintFrame();
    WindowControls& c = window_.Controls();
    c.Move({ControlName::Im1}, kLogoRect);
    MoveTo(c, {ControlName::ni_name}, kTitleLabelLeft, kTitleLabelTop);
    PlaceTitleButtons();
    const WindowSurface& surface = window_.Surface();
    c.Move({ControlName::zz}, ContentAreaRect(surface.InnerWidth(), surface.InnerHeightPixels()));
    LayoutPanes();
    qvod_Resize();
}

void WindowLayout::LayoutNormal() {
    MainWindowHost& host = window_.Host();
    if (host.IsMaximized()) return;
    const TwipsSize now{host.WidthTwips(), host.HeightTwips()};
    const TwipsSize raised = RaisedTo(now, MinimumWindowSize(LeftPanelShown(), RightPanelShown()));
    if (raised.width != now.width || raised.height != now.height) host.ResizeTwips(raised.width, raised.height);
}

void WindowLayout::PaintFrame() {
    WindowSurface& surface = window_.Surface();
    const int width = surface.InnerWidth(), height = surface.InnerHeightPixels();
    surface.PaintFrame(FramePiecesFor(width, height));
    surface.SetRoundedShape(width + 1, height + 1, kFrameCorner, kFrameCorner);
}

void WindowLayout::PlaceTitleButtons() {
    WindowControls& c = window_.Controls();
    const auto buttons = TitleButtonRects(window_.Surface().InnerWidth());
    for (int i = 0; i < 6; ++i) c.Move({ControlName::npc, i}, buttons[i]);
    const PanesPlaces panes = PlacePanes(0, 0, true, true);  // the tab row does not depend on the size
    for (int i = 0; i < 3; ++i) c.Move({ControlName::npc, 6 + i}, panes.tabs[i]);
    c.Move({ControlName::npc, 9}, panes.tabBar);
    const SearchPlaces search = PlaceSearchControls();
    c.Move({ControlName::soimg}, search.soimg);
    c.Move({ControlName::soso}, search.soso);
    c.Move({ControlName::sok}, search.sok);
}

void WindowLayout::LayoutPanes() {
    WindowControls& c = window_.Controls();
    const Rect zz = c.Geometry({ControlName::zz});
    const bool left = LeftPanelShown(), right = RightPanelShown();
    const PanesPlaces p = PlacePanes(zz.width, zz.height, left, right);
    if (left) {
        c.Move({ControlName::LeftPanel}, p.l3);
        c.Move({ControlName::Pic3}, p.Pic3);
        c.Move({ControlName::l4}, p.l4);
        for (ControlName over : {ControlName::Pic1, ControlName::pso, ControlName::w1}) c.Move({over}, p.Pic1);
        PlacePane(c, Pane::Web1, p.Pic1);
        PlacePane(c, Pane::Webso, p.Pic1);
    }
    if (right) {
        c.Move({ControlName::RightPanel}, p.l2);
        c.Move({ControlName::l5}, p.l5);
        c.Move({ControlName::shan}, p.shan);
        c.Move({ControlName::P3}, p.P3);
        c.Move({ControlName::P4}, p.P3);
        c.Move({ControlName::P5}, p.P5);
        c.Move({ControlName::w5}, p.P5);
        PlacePane(c, Pane::Web3, p.P3);
        PlacePane(c, Pane::Web4, p.P3);
        PlacePane(c, Pane::Web5, p.P5);
        MoveTo(c, {ControlName::qk}, p.qk.left, p.qk.top);
    }
    c.Move({ControlName::L1}, p.L1);
    c.Move({ControlName::Pic2}, p.Pic2);
    c.Move({ControlName::Pic4}, p.Pic4);
    c.Move({ControlName::npc, 10}, p.npc10);
    c.Move({ControlName::npc, 11}, p.npc11);
    MoveTo(c, {ControlName::bo_name}, p.bo_nameLeft, p.bo_nameTop);
    c.Move({ControlName::BAD}, p.BAD);
    PlacePane(c, Pane::Web8, {0, 0, p.BAD.width, p.BAD.height});
    PlacePane(c, Pane::Web2, p.Pic2);
    c.Move({ControlName::ggx}, p.ggx);
    window_.PlaceScrollAd();
}

void WindowLayout::qvod_Resize() {
    WindowControls& c = window_.Controls();
    WindowSurface& surface = window_.Surface();
    const Rect body = c.Geometry({ControlName::Pic2});
    surface.SizeToText({ControlName::times});
    PlayerPanelInput in;
    in.bodyWidth = body.width;
    in.bodyHeight = body.height;
    in.compact = window_.State().compactMode == 1;
    if (!in.compact) surface.SizeToText({ControlName::zhun});
    in.zhunTextWidth = c.Geometry({ControlName::zhun}).width;
    in.timesWidth = c.Geometry({ControlName::times}).width;
    in.seekTrackLeft = c.Geometry({ControlName::gunt}).left;
    in.volume = window_.PlayerControl().Volume();
    const PlayerPanelPlaces p = PlacePlayerPanel(in);
    c.Move({ControlName::qvod}, p.qvod);
    c.SetVisible({ControlName::bo_foot}, p.footShown);
    if (p.footShown) {
        c.Move({ControlName::bo_foot}, p.bo_foot);
        surface.DrawCell({ControlName::bo_foot}, kFootLook);
    }
    c.Move({ControlName::gunt}, p.gunt);
    PlacePane(c, Pane::Web2, body);
    c.Move({ControlName::bo_zt}, p.bo_zt);
    c.Move({ControlName::QvodC}, p.QvodC);
    c.Move({ControlName::qvodx}, p.qvodx);
    c.Move({ControlName::bo_ad}, p.bo_ad);
    c.Move({ControlName::ad_huan}, p.ad_huan);
    PlacePane(c, Pane::Web7, p.ad_huan);
    const Rect picture = c.Geometry({ControlName::adp});
    const Rect adp = CentredIn(p.bo_ad, picture.width, picture.height);
    c.Move({ControlName::adp}, adp);
    MoveTo(c, {ControlName::next_s}, adp.left, adp.top + adp.height + 10);
    c.Move({ControlName::zhun}, p.zhun);
    c.Move({ControlName::times}, p.times);
    for (int i = 0; i < 8; ++i) MoveTo(c, {ControlName::bo_but, i}, p.bo_but[i].left, p.bo_but[i].top);
    c.Move({ControlName::yin}, p.yin);
    c.Move({ControlName::bo_v}, p.bo_v);
    c.Move({ControlName::bo_y}, p.bo_y);
    MoveTo(c, {ControlName::huan}, 0, 0);
}

CompactPlaces WindowLayout::PlaceCompactTitle() {
    WindowControls& c = window_.Controls();
    WindowSurface& surface = window_.Surface();
    surface.SizeToText({ControlName::ni_name});
    const Rect jbi = c.Geometry({ControlName::jbi});
    const Rect title = c.Geometry({ControlName::ni_name});
    const CompactPlaces p = PlaceCompact(surface.InnerWidth(), surface.InnerHeightPixels(), jbi.width, jbi.height,
                                         c.Geometry({ControlName::bo_name}).width, title.width, title.height);
    c.Move({ControlName::jbi}, p.jbi);
    c.Move({ControlName::ni_name}, p.ni_name);
    return p;
}

void WindowLayout::LayoutCompact() {
    MainWindowHost& host = window_.Host();
    const TwipsSize now{host.WidthTwips(), host.HeightTwips()};
    const TwipsSize raised = RaisedTo(now, kCompactMinimum);
    if (raised.width != now.width || raised.height != now.height) host.ResizeTwips(raised.width, raised.height);
    PaintFrame();
    WindowControls& c = window_.Controls();
    const CompactPlaces p = PlaceCompactTitle();
    c.Move({ControlName::zz}, p.zz);
    c.Move({ControlName::L1}, p.L1);
    c.Move({ControlName::Pic2}, p.L1);
    qvod_Resize();  // places Web2 in Pic2 too
}

}  // namespace ruvo
