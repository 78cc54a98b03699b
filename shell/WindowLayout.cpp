#include "shell/WindowLayout.h"

#include "portal/LinkText.h"
#include "playback/PlayStatusMonitor.h"
#include "portal/MainWindow.h"
#include "shell/ButtonLooks.h"
#include "shell/FrameGeometry.h"
#include "shell/LayoutGeometry.h"

namespace ruvo {
namespace {

void PlacePane(WindowControls& c, Pane pane, const Rect& host) {
    c.Move({ControlName::WebPane, static_cast<int>(pane)}, PaneInHost(host));
}

void MoveTo(WindowControls& c, ControlId control, int left, int top) {
    Rect rect = c.Geometry(control);
    rect.left = left;
    rect.top = top;
    c.Move(control, rect);
}

}  // namespace

bool WindowLayout::LeftPanelShown() const { return window_.State().leftPanelShown; }
bool WindowLayout::RightPanelShown() const { return window_.State().rightPanelShown; }

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
    c.Move({ControlName::Logo}, kLogoRect);
    MoveTo(c, {ControlName::WindowTitle}, kTitleLabelLeft, kTitleLabelTop);
    PlaceTitleButtons();
    const WindowSurface& surface = window_.Surface();
    c.Move({ControlName::ContentArea}, ContentAreaRect(surface.InnerWidth(), surface.InnerHeightPixels()));
    LayoutPanes();
    LayoutPlayerPanel();
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
    for (int i = 0; i < 6; ++i) c.Move({ControlName::WindowButton, i}, buttons[i]);
    const PanesPlaces panes = PlacePanes(0, 0, true, true);  // the tab row does not depend on the size
    for (int i = 0; i < 3; ++i) c.Move({ControlName::WindowButton, 6 + i}, panes.tabs[i]);
    c.Move({ControlName::WindowButton, 9}, panes.tabBar);
    const SearchPlaces search = PlaceSearchControls();
    c.Move({ControlName::SearchBoxFrame}, search.soimg);
    c.Move({ControlName::SearchBox}, search.soso);
    c.Move({ControlName::SearchButton}, search.sok);
}

void WindowLayout::LayoutPanes() {
    WindowControls& c = window_.Controls();
    const Rect zz = c.Geometry({ControlName::ContentArea});
    const bool left = LeftPanelShown(), right = RightPanelShown();
    const PanesPlaces p = PlacePanes(zz.width, zz.height, left, right);
    if (left) {
        c.Move({ControlName::LeftPanel}, p.l3);
        c.Move({ControlName::LeftHeader}, p.Pic3);
        c.Move({ControlName::LeftBody}, p.l4);
        for (ControlName over : {ControlName::MainPaneBox, ControlName::SearchResultsBox, ControlName::MainAreaNotice}) c.Move({over}, p.Pic1);
        PlacePane(c, Pane::Web1, p.Pic1);
        PlacePane(c, Pane::Webso, p.Pic1);
    }
    if (right) {
        c.Move({ControlName::RightPanel}, p.l2);
        c.Move({ControlName::RightBody}, p.l5);
        c.Move({ControlName::RightFooter}, p.shan);
        c.Move({ControlName::WatchHistoryTab}, p.P3);
        c.Move({ControlName::LocalFilesTab}, p.P3);
        c.Move({ControlName::LibraryTab}, p.P5);
        c.Move({ControlName::SidePaneNotice}, p.P5);
        PlacePane(c, Pane::Web3, p.P3);
        PlacePane(c, Pane::Web4, p.P3);
        PlacePane(c, Pane::Web5, p.P5);
        MoveTo(c, {ControlName::ListAction}, p.qk.left, p.qk.top);
    }
    c.Move({ControlName::CentreColumn}, p.L1);
    c.Move({ControlName::PagePlayerBox}, p.Pic2);
    c.Move({ControlName::CentreHeader}, p.Pic4);
    c.Move({ControlName::WindowButton, 10}, p.npc10);
    c.Move({ControlName::WindowButton, 11}, p.npc11);
    MoveTo(c, {ControlName::TitleLine}, p.bo_nameLeft, p.bo_nameTop);
    c.Move({ControlName::ScrollAdBar}, p.BAD);
    PlacePane(c, Pane::Web8, {0, 0, p.BAD.width, p.BAD.height});
    PlacePane(c, Pane::Web2, p.Pic2);
    c.Move({ControlName::PagePlayerClose}, p.ggx);
    window_.PlaceScrollAd();
}

void WindowLayout::LayoutPlayerPanel() {
    WindowControls& c = window_.Controls();
    WindowSurface& surface = window_.Surface();
    const Rect body = c.Geometry({ControlName::PagePlayerBox});
    surface.SizeToText({ControlName::PlayTimes});
    PlayerPanelInput in;
    in.bodyWidth = body.width;
    in.bodyHeight = body.height;
    in.compact = window_.State().compactMode == 1;
    if (!in.compact) surface.SizeToText({ControlName::StatusLine});
    in.zhunTextWidth = c.Geometry({ControlName::StatusLine}).width;
    in.timesWidth = c.Geometry({ControlName::PlayTimes}).width;
    in.seekTrackLeft = c.Geometry({ControlName::SeekTrack}).left;
    in.volume = window_.PlayerControl().Volume();
    const PlayerPanelPlaces p = PlacePlayerPanel(in);
    c.Move({ControlName::PlayerBox}, p.qvod);
    c.SetVisible({ControlName::PlayerBar}, p.footShown);
    if (p.footShown) {
        c.Move({ControlName::PlayerBar}, p.bo_foot);
        surface.DrawCell({ControlName::PlayerBar}, kFootLook);
    }
    c.Move({ControlName::SeekTrack}, p.gunt);
    PlacePane(c, Pane::Web2, body);
    c.Move({ControlName::StatusStrip}, p.bo_zt);
    c.Move({ControlName::PlayerSurface}, p.QvodC);
    c.Move({ControlName::PlayerTopStrip}, p.qvodx);
    c.Move({ControlName::PlayerCover}, p.bo_ad);
    c.Move({ControlName::PlayerAdPanel}, p.ad_huan);
    PlacePane(c, Pane::Web7, p.ad_huan);
    const Rect picture = c.Geometry({ControlName::PlayerAdPicture});
    const Rect adp = CentredIn(p.bo_ad, picture.width, picture.height);
    c.Move({ControlName::PlayerAdPicture}, adp);
    MoveTo(c, {ControlName::NextEpisodeNotice}, adp.left, adp.top + adp.height + 10);
    c.Move({ControlName::StatusLine}, p.zhun);
    c.Move({ControlName::PlayTimes}, p.times);
    for (int i = 0; i < 8; ++i) MoveTo(c, {ControlName::TransportButton, i}, p.bo_but[i].left, p.bo_but[i].top);
    c.Move({ControlName::VolumeTrack}, p.yin);
    c.Move({ControlName::VolumeKnob}, p.bo_v);
    c.Move({ControlName::VolumeFill}, p.bo_y);
    MoveTo(c, {ControlName::DownloadedBar}, 0, 0);
    window_.Monitor().RedrawProgress();  // the knob's place follows the track's new width
}

CompactPlaces WindowLayout::PlaceCompactTitle() {
    WindowControls& c = window_.Controls();
    WindowSurface& surface = window_.Surface();
    surface.SizeToText({ControlName::WindowTitle});
    const Rect jbi = c.Geometry({ControlName::RestoreLabel});
    const Rect title = c.Geometry({ControlName::WindowTitle});
    const CompactPlaces p = PlaceCompact(surface.InnerWidth(), surface.InnerHeightPixels(), jbi.width, jbi.height,
                                         c.Geometry({ControlName::TitleLine}).width, title.width, title.height);
    c.Move({ControlName::RestoreLabel}, p.jbi);
    c.Move({ControlName::WindowTitle}, p.ni_name);
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
    c.Move({ControlName::ContentArea}, p.zz);
    c.Move({ControlName::CentreColumn}, p.L1);
    c.Move({ControlName::PagePlayerBox}, p.L1);
    LayoutPlayerPanel();  // places Web2 in Pic2 too
}

}  // namespace ruvo
