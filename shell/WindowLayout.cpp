#include "shell/WindowLayout.h"

#include "portal/Panes.h"
#include "shell/ButtonLooks.h"
#include "shell/FrameGeometry.h"
#include "shell/LayoutGeometry.h"

namespace ruvo {
namespace {

void PlacePane(WindowView& c, Pane pane, const Rect& host) {
    c.Move({ControlName::WebPane, static_cast<int>(pane)}, PaneInHost(host));
}

void MoveTo(WindowView& c, ControlId control, int left, int top) {
    Rect rect = c.Geometry(control);
    rect.left = left;
    rect.top = top;
    c.Move(control, rect);
}

}  // namespace

void WindowLayout::OnResize() {
    MainWindowHost& host = parts_.host;
    if (host.IsMinimized()) return;
    if (parts_.frame.compact) {
        LayoutCompact();
        return;
    }
    if (!host.IsMaximized()) LayoutNormal();
    PaintFrame();
    WindowView& c = parts_.controls;
    c.Move({ControlName::Logo}, kLogoRect);
    MoveTo(c, {ControlName::WindowTitle}, kTitleLabelLeft, kTitleLabelTop);
    PlaceTitleButtons();
    const WindowSurface& surface = parts_.surface;
    c.Move({ControlName::ContentArea}, ContentAreaRect(surface.InnerWidth(), surface.InnerHeightPixels()));
    LayoutPanes();
    LayoutPlayerPanel();
}

void WindowLayout::LayoutNormal() {
    MainWindowHost& host = parts_.host;
    if (host.IsMaximized()) return;
    const TwipsSize now{host.WidthTwips(), host.HeightTwips()};
    const TwipsSize raised = RaisedTo(now, MinimumWindowSize(parts_.frame.leftPanelShown, parts_.frame.rightPanelShown));
    if (raised.width != now.width || raised.height != now.height) host.ResizeTwips(raised.width, raised.height);
}

void WindowLayout::PaintFrame() {
    WindowSurface& surface = parts_.surface;
    const int width = surface.InnerWidth(), height = surface.InnerHeightPixels();
    surface.PaintFrame(FramePiecesFor(width, height));
    surface.SetRoundedShape(width + 1, height + 1, kFrameCorner, kFrameCorner);
}

void WindowLayout::PlaceTitleButtons() {
    WindowView& c = parts_.controls;
    const auto buttons = TitleButtonRects(parts_.surface.InnerWidth());
    for (int i = 0; i < 6; ++i) c.Move({ControlName::WindowButton, i}, buttons[i]);
    const PanesPlaces panes = PlacePanes(0, 0, true, true);  // the tab row does not depend on the size
    for (const RightPanelTab tab : {RightPanelTab::TitlePages, RightPanelTab::WatchHistory, RightPanelTab::LocalFiles})
        c.Move(ControlOf(TabButtonOf(tab)), panes.tabs[static_cast<int>(tab)]);
    c.Move(ControlOf(WindowButton::TabBar), panes.tabBar);
    const SearchPlaces search = PlaceSearchControls();
    c.Move({ControlName::SearchBoxFrame}, search.searchFrame);
    c.Move({ControlName::SearchBox}, search.searchBox);
    c.Move({ControlName::SearchButton}, search.searchButton);
}

void WindowLayout::LayoutPanes() {
    WindowView& c = parts_.controls;
    const Rect content = c.Geometry({ControlName::ContentArea});
    const bool left = parts_.frame.leftPanelShown, right = parts_.frame.rightPanelShown;
    const PanesPlaces p = PlacePanes(content.width, content.height, left, right);
    if (left) {
        c.Move({ControlName::LeftPanel}, p.leftPanel);
        c.Move({ControlName::LeftHeader}, p.leftHeader);
        c.Move({ControlName::LeftBody}, p.leftBody);
        for (ControlName over : {ControlName::MainPaneBox, ControlName::SearchResultsBox, ControlName::MainAreaNotice}) c.Move({over}, p.mainPane);
        PlacePane(c, Pane::PortalPage, p.mainPane);
        PlacePane(c, Pane::SearchResults, p.mainPane);
    }
    if (right) {
        c.Move({ControlName::RightPanel}, p.rightPanel);
        c.Move({ControlName::RightBody}, p.rightBody);
        c.Move({ControlName::RightFooter}, p.rightFooter);
        c.Move({ControlName::WatchHistoryTab}, p.listTab);
        c.Move({ControlName::LocalFilesTab}, p.listTab);
        c.Move({ControlName::LibraryTab}, p.libraryTab);
        c.Move({ControlName::SidePaneNotice}, p.libraryTab);
        PlacePane(c, Pane::HistoryList, p.listTab);
        PlacePane(c, Pane::LocalList, p.listTab);
        PlacePane(c, Pane::SidePage, p.libraryTab);
        MoveTo(c, {ControlName::ListAction}, p.listAction.left, p.listAction.top);
    }
    c.Move({ControlName::CentreColumn}, p.centreColumn);
    c.Move({ControlName::PagePlayerBox}, p.pagePlayer);
    c.Move({ControlName::CentreHeader}, p.centreHeader);
    c.Move(ControlOf(WindowButton::LeftPanelToggle), p.leftToggle);
    c.Move(ControlOf(WindowButton::RightPanelToggle), p.rightToggle);
    MoveTo(c, {ControlName::TitleLine}, p.titleLineLeft, p.titleLineTop);
    c.Move({ControlName::ScrollAdBar}, p.scrollAdBar);
    PlacePane(c, Pane::ScrollingAdvert, {0, 0, p.scrollAdBar.width, p.scrollAdBar.height});
    PlacePane(c, Pane::PagePlayer, p.pagePlayer);
    c.Move({ControlName::PagePlayerClose}, p.pagePlayerClose);
    PlaceScrollAd();
}

void WindowLayout::LayoutPlayerPanel() {
    WindowView& c = parts_.controls;
    WindowSurface& surface = parts_.surface;
    const Rect body = c.Geometry({ControlName::PagePlayerBox});
    surface.SizeToText({ControlName::PlayTimes});
    PlayerPanelInput in;
    in.bodyWidth = body.width;
    in.bodyHeight = body.height;
    in.compact = parts_.frame.compact;
    if (!in.compact) surface.SizeToText({ControlName::StatusLine});
    in.statusTextWidth = c.Geometry({ControlName::StatusLine}).width;
    in.timesWidth = c.Geometry({ControlName::PlayTimes}).width;
    in.seekTrackLeft = c.Geometry({ControlName::SeekTrack}).left;
    const PlayerPanelPlaces p = PlacePlayerPanel(in);
    c.Move({ControlName::PlayerBox}, p.playerBox);
    c.SetVisible({ControlName::PlayerBar}, p.footShown);
    if (p.footShown) {
        c.Move({ControlName::PlayerBar}, p.playerBar);
        surface.DrawCell({ControlName::PlayerBar}, kFootLook);
    }
    c.Move({ControlName::SeekTrack}, p.seekTrack);
    PlacePane(c, Pane::PagePlayer, body);
    c.Move({ControlName::StatusStrip}, p.statusStrip);
    c.Move({ControlName::PlayerSurface}, p.playerSurface);
    c.Move({ControlName::PlayerTopStrip}, p.playerTopStrip);
    c.Move({ControlName::PlayerCover}, p.playerCover);
    c.Move({ControlName::PlayerAdPanel}, p.playerAdPanel);
    PlacePane(c, Pane::PlayerAdvert, p.playerAdPanel);
    const Rect picture = c.Geometry({ControlName::PlayerAdPicture});
    const Rect adPicture = CentredIn(p.playerCover, picture.width, picture.height);
    c.Move({ControlName::PlayerAdPicture}, adPicture);
    MoveTo(c, {ControlName::NextEpisodeNotice}, adPicture.left, adPicture.top + adPicture.height + 10);
    c.Move({ControlName::StatusLine}, p.statusLine);
    c.Move({ControlName::PlayTimes}, p.playTimes);
    for (int i = 0; i < 8; ++i) MoveTo(c, {ControlName::TransportButton, i}, p.transportButtons[i].left, p.transportButtons[i].top);
    c.Move({ControlName::VolumeTrack}, p.volumeTrack);
}

CompactPlaces WindowLayout::PlaceCompactTitle() {
    WindowView& c = parts_.controls;
    WindowSurface& surface = parts_.surface;
    surface.SizeToText({ControlName::WindowTitle});
    const Rect restoreLabel = c.Geometry({ControlName::RestoreLabel});
    const Rect title = c.Geometry({ControlName::WindowTitle});
    const CompactPlaces p = PlaceCompact(surface.InnerWidth(), surface.InnerHeightPixels(), restoreLabel.width, restoreLabel.height,
                                         c.Geometry({ControlName::TitleLine}).width, title.width, title.height);
    c.Move({ControlName::RestoreLabel}, p.restoreLabel);
    c.Move({ControlName::WindowTitle}, p.windowTitle);
    return p;
}

void WindowLayout::LayoutCompact() {
    MainWindowHost& host = parts_.host;
    const TwipsSize now{host.WidthTwips(), host.HeightTwips()};
    const TwipsSize raised = RaisedTo(now, kCompactMinimum);
    if (raised.width != now.width || raised.height != now.height) host.ResizeTwips(raised.width, raised.height);
    PaintFrame();
    WindowView& c = parts_.controls;
    const CompactPlaces p = PlaceCompactTitle();
    c.Move({ControlName::ContentArea}, p.contentArea);
    c.Move({ControlName::CentreColumn}, p.centreColumn);
    c.Move({ControlName::PagePlayerBox}, p.centreColumn);
    LayoutPlayerPanel();  // places the page player in its box too
}

void WindowLayout::PlaceScrollAd() {
    WindowView& c = parts_.controls;
    const int barLeft = c.Geometry({ControlName::ScrollAdBar}).left;
    const int nameWidth = c.Geometry({ControlName::TitleLine}).width;
    bool& shown = parts_.ads.scrollBarShown;
    const bool show = ScrollAdShows(barLeft, nameWidth, parts_.ads.scroll, shown);
    if (show == shown) return;
    shown = show;
    c.SetVisible({ControlName::ScrollAdBar}, show);
}

}  // namespace ruvo
