// The window shell on fakes: the resize handler's passes, the frame's mouse
// handling, compact mode, panel toggles and the skin.
#include <gtest/gtest.h>

#include "fakes/PartFixture.h"
#include "fakes/WindowFixture.h"
#include "shell/ButtonLooks.h"
#include "shell/DesignValues.h"
#include "shell/FrameMouse.h"
#include "shell/NavigationButtons.h"
#include "shell/Skin.h"
#include "shell/TitleButtons.h"
#include "shell/WindowLayout.h"

namespace ruvo {
void PrintTo(const Rect& r, std::ostream* out);
}

namespace ruvo::test {
namespace {

class WindowShell : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
        Resize(15000, 9000);  // 1000 × 600 pixels
    }
    void Resize(int widthTwips, int heightTwips) {
        host.ResizeTwips(widthTwips, heightTwips);
        User().resized();
    }
    Rect Place(ControlName name, int index = 0) { return controls.Geometry({name, index}); }
    Rect PanePlace(Pane pane) { return controls.Geometry({ControlName::WebPane, static_cast<int>(pane)}); }
};

// A frame part alone: the window, its surface and its state on fakes.
class FrameFixture : public PartFixture {
protected:
    FakeHost host;
    FakeSurface surface{host};
    FrameState frame;

    void SetUp() override {
        surface.controls = &controls;
        host.ResizeTwips(15000, 9000);  // 1000 × 600 pixels
    }
};

// The frame's mouse alone: the borders, the title buttons' looks and tips,
// the labels' colours and the size kept for the next start.
class FrameMouseAlone : public FrameFixture {
protected:
    FrameMouse mouse{{surface, view, host, frame, settings, [] {}}};

    std::string SettingOf(const char* key) { return ReadSetting(folder.File("config.dll"), "S_q", key, "0"); }
};

TEST_F(FrameMouseAlone, BorderPressStartsAResizeAndSurfaceDragAMove) {
    mouse.SurfaceMove(false, 998, 300);
    EXPECT_EQ(surface.cursor, CursorShape::SizeWE);
    mouse.SurfaceDown(998, 300);
    ASSERT_EQ(surface.resizes.size(), 1u);
    EXPECT_EQ(surface.resizes[0], ResizeEdge::Right);
    mouse.SurfaceUp();

    mouse.SurfaceDown(996, 300);  // 4 pixels in: no resize
    EXPECT_EQ(surface.resizes.size(), 1u);
    mouse.SurfaceMove(true, 996, 300);
    EXPECT_EQ(surface.moves, 1);
    EXPECT_EQ(surface.cursor, CursorShape::Arrow);

    host.maximized = true;  // a maximised window neither resizes nor moves
    mouse.SurfaceDown(998, 300);
    mouse.SurfaceMove(true, 500, 300);
    EXPECT_EQ(surface.resizes.size(), 1u);
    EXPECT_EQ(surface.moves, 1);
}

TEST_F(FrameMouseAlone, ResizeInFullLayoutSavesTheSize) {
    host.ResizeTwips(16000, 9500);
    mouse.ResizeEnded();
    EXPECT_EQ(SettingOf("h_w"), "16000");
    EXPECT_EQ(SettingOf("h_h"), "9500");
    frame.leftPanelShown = false;  // not the full layout: not saved
    host.ResizeTwips(17000, 9500);
    mouse.ResizeEnded();
    EXPECT_EQ(SettingOf("h_w"), "16000");
}

TEST_F(FrameMouseAlone, HoverLightsTheButtonAndShowsItsTooltipBelow) {
    const Rect button{900, 2, 24, 24};
    controls.Move({ControlName::WindowButton, 5}, button);
    controls.Move({ControlName::WindowButton, 4}, {870, 2, 24, 24});
    controls.Move({ControlName::BarTipText}, {0, 0, 30, 14});  // the label fits its text
    mouse.ButtonMove(WindowButton::Menu, 10, 10);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 5}).picture, kTitleStripHover);
    EXPECT_EQ(controls.Text({ControlName::BarTipText}), "菜单");
    EXPECT_TRUE(controls.IsVisible({ControlName::BarTipPanel}));
    EXPECT_EQ(controls.Geometry({ControlName::BarTipPanel}).left, button.left - 5);
    EXPECT_EQ(controls.Geometry({ControlName::BarTipPanel}).top, button.top + 24 + 3);
    EXPECT_EQ(controls.Geometry({ControlName::BarTipPanel}).width, 35);
    mouse.ButtonMove(WindowButton::Menu, -1, -1);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 5}).picture, kTitleStripNormal);
    EXPECT_FALSE(controls.IsVisible({ControlName::BarTipPanel}));
    // The top-most button's look follows its state.
    frame.topMost = true;
    mouse.ButtonMove(WindowButton::TopMost, 3, 3);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 4}).source.left, 72);
}

TEST_F(FrameMouseAlone, LabelsTurnDarkRedUnderThePointerAndBackElsewhere) {
    mouse.LabelMove(true);
    EXPECT_EQ(surface.TextColor({ControlName::RestoreLabel}), kLabelHoverColor);
    mouse.SurfaceMove(false, 500, 300);
    EXPECT_EQ(surface.TextColor({ControlName::RestoreLabel}), kRestoreLabelColor);
    EXPECT_EQ(surface.TextColor({ControlName::ListAction}), kListLabelColor);
    // The player's areas put back the restore label's colour, the bars the
    // list action's: each only its own.
    mouse.LabelMove(false);
    mouse.ResetLabelColor(true);
    EXPECT_EQ(surface.TextColor({ControlName::ListAction}), kLabelHoverColor);
    mouse.ResetLabelColor(false);
    EXPECT_EQ(surface.TextColor({ControlName::ListAction}), kListLabelColor);
}

// The layout passes alone, on a window of the program's design and skin.
class LayoutAlone : public FrameFixture {
protected:
    WindowLayout layout{{view, surface, host, frame, ads}};

    void SetUp() override {
        FrameFixture::SetUp();
        ApplyDesignValues(view);
        LoadSkin(surface, kProgramSkin);
        Resize(15000, 9000);  // 1000 × 600 pixels
    }
    void Resize(int widthTwips, int heightTwips) {
        host.ResizeTwips(widthTwips, heightTwips);
        layout.OnResize();
    }
    Rect Place(ControlName name, int index = 0) { return controls.Geometry({name, index}); }
    Rect PanePlace(Pane pane) { return controls.Geometry({ControlName::WebPane, static_cast<int>(pane)}); }
};

TEST_F(LayoutAlone, ResizeRunsEveryPassForTheNewSize) {
    EXPECT_EQ(Place(ControlName::ContentArea).width, 988);
    EXPECT_EQ(Place(ControlName::ContentArea).height, 560);
    EXPECT_EQ(Place(ControlName::WindowButton, 2).left, 968);
    EXPECT_EQ(Place(ControlName::RightPanel).left, 988 - 222);
    EXPECT_EQ(Place(ControlName::CentreColumn).width, 988 - 217 - 227);
    EXPECT_EQ(PanePlace(Pane::PortalPage).width, Place(ControlName::MainPaneBox).width + 4);
    EXPECT_EQ(PanePlace(Pane::SidePage).top, -2);
    EXPECT_EQ(Place(ControlName::PlayerBox).height, 560 - 25);
    EXPECT_EQ(Place(ControlName::PlayerBar).top, 560 - 25 - 31);
    EXPECT_EQ(surface.lastFrame[1].destination.left, 1000 - 35);
    EXPECT_EQ(surface.shape[0], 1001);
    EXPECT_EQ(surface.shape[2], 4);
    EXPECT_EQ(surface.CellOf({ControlName::PlayerBar}).picture, kFootTile);
}

TEST_F(LayoutAlone, SmallWindowIsRaisedToTheMinimumButAMaximisedOneIsNot) {
    Resize(9000, 5000);
    EXPECT_EQ(host.twipsWidth, 13000);
    EXPECT_EQ(host.twipsHeight, 7000);
    host.maximized = true;
    Resize(9000, 5000);
    EXPECT_EQ(host.twipsWidth, 9000);
    EXPECT_EQ(Place(ControlName::ContentArea).width, 600 - 12);  // the panes follow the maximised size
}

TEST_F(LayoutAlone, MinimisedWindowKeepsItsLayout) {
    const int frames = surface.frames;
    const Rect before = Place(ControlName::ContentArea);
    host.minimized = true;
    Resize(6000, 4000);
    EXPECT_EQ(surface.frames, frames);
    EXPECT_EQ(Place(ControlName::ContentArea).width, before.width);
}

TEST_F(WindowShell, PanelTogglesChangeTheLayoutAndTheWidth) {
    User().buttonClick(WindowButton::LeftPanelToggle);  // the left panel hides
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 10}), "打开");
    EXPECT_FALSE(controls.IsVisible({ControlName::LeftPanel}));
    EXPECT_EQ(Place(ControlName::CentreColumn).left, 0);
    User().buttonClick(WindowButton::LeftPanelToggle);
    EXPECT_EQ(Place(ControlName::CentreColumn).left, 217);

    Resize(13000, 7000);
    User().buttonClick(WindowButton::RightPanelToggle);  // hides: 13000 - 3405
    EXPECT_EQ(host.twipsWidth, 9595);
    Resize(9500, 7000);  // the one-panel minimum
    EXPECT_EQ(host.twipsWidth, 9500);
    User().buttonClick(WindowButton::RightPanelToggle);
    EXPECT_EQ(host.twipsWidth, 13000);  // 9500 + 3405 = 12905, raised to 13000
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 11}).source.left, 40);
}

TEST_F(WindowShell, DoubleClickOnTheSurfaceMaximisesAndRestores) {
    User().surfaceDoubleClick();
    EXPECT_TRUE(host.maximized);
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 1}), "还原");
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 1}).picture, kRestoreStrip);
    User().surfaceDoubleClick();
    EXPECT_FALSE(host.maximized);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 1}).source.left, 96);
}

// The tips follow the window, however it got there: a window the desktop
// maximised (a double click on its title in another program's style, a key of
// the window manager) offers to restore.
TEST_F(WindowShell, TipsTellWhatAButtonWouldDoNow) {
    host.maximized = true;
    User().resized();  // a screen reader hears the new name at once
    EXPECT_EQ(controls.Of(ControlOf(WindowButton::Maximize)).spoken.name, "还原");
    User().buttonMove(WindowButton::Maximize, 3, 3);
    EXPECT_EQ(controls.Text({ControlName::BarTipText}), "还原");
    host.maximized = false;
    User().buttonMove(WindowButton::Maximize, 3, 3);
    EXPECT_EQ(controls.Text({ControlName::BarTipText}), "最大化");
    User().buttonClick(WindowButton::TopMost);
    User().buttonMove(WindowButton::TopMost, 3, 3);
    EXPECT_EQ(controls.Text({ControlName::BarTipText}), "取消置顶");
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 4}), "取消置顶");
    EXPECT_EQ(host.calls.back(), "topmost:1");
    // A screen reader hears one name and whether the button is down.
    EXPECT_EQ(controls.Of(ControlOf(WindowButton::TopMost)).spoken, (SpokenControl{"总在最前", true}));
}

// Compact mode hides both panels and shows them again on the way back; the
// player bar's last button then offers to hide the right panel again, even
// when it was hidden before.
TEST_F(WindowShell, BackFromCompactModeEveryPanelToggleSaysItIsShown) {
    User().buttonClick(WindowButton::RightPanelToggle);
    User().buttonClick(WindowButton::LeftPanelToggle);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 7}), "展开右侧");
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 10}), "打开");
    User().buttonClick(WindowButton::Compact);
    User().compactRestoreClick();
    EXPECT_TRUE(controls.IsVisible({ControlName::RightPanel}));
    EXPECT_TRUE(controls.IsVisible({ControlName::LeftPanel}));
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 7}), "隐藏右侧");
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 10}), "关闭");
    EXPECT_EQ(controls.Tooltip({ControlName::WindowButton, 11}), "关闭");
    User().buttonClick(WindowButton::RightPanelToggle);  // one press hides it
    EXPECT_FALSE(controls.IsVisible({ControlName::RightPanel}));
}

TEST_F(WindowShell, CompactModeShowsThePlayerAloneWithTheNameAsTitle) {
    PageNavigates(Pane::PortalPage, "eeqvod://qvod&&&http%3A//m/3.mp4&&&星河漫游记&&&第3集&&&12&&&0&&&2");
    User().buttonClick(WindowButton::Compact);
    EXPECT_EQ(host.twipsWidth, 5800);
    EXPECT_EQ(host.twipsHeight, 4800);
    EXPECT_EQ(controls.Text({ControlName::WindowTitle}), "星河漫游记-第3集");
    for (ControlName hidden : {ControlName::PlayerBar, ControlName::CentreHeader, ControlName::Logo, ControlName::PagePlayerClose,
                               ControlName::LeftPanel, ControlName::RightPanel})
        EXPECT_FALSE(controls.IsVisible({hidden}));
    EXPECT_FALSE(controls.IsVisible({ControlName::WindowButton, 2}));
    const int W = 5800 / 15, H = 4800 / 15;
    EXPECT_EQ(Place(ControlName::ContentArea), (Rect{2, 20, W - 4, H - 23}));
    EXPECT_EQ(Place(ControlName::PlayerBox).top, 0);
    EXPECT_EQ(Place(ControlName::SeekTrack).top, H - 23 - 7);

    Setting("h_w", "14000");
    Setting("h_h", "8000");
    User().compactRestoreClick();
    EXPECT_EQ(host.twipsWidth, 14000);
    EXPECT_EQ(controls.Text({ControlName::WindowTitle}), "Ruvo电影影视盒 1.0");
    EXPECT_TRUE(controls.IsVisible({ControlName::PlayerBar}));
    EXPECT_EQ(host.calls.back(), "center");
    EXPECT_EQ(Place(ControlName::PlayerBox).top, 25);
}

TEST_F(WindowShell, SkinLoadsNinePicturesAndPaintsTheRestingLooks) {
    EXPECT_EQ(surface.loaded.size(), 9u);
    EXPECT_EQ(surface.loaded[0], 201);
    EXPECT_EQ(surface.loaded[8], 209);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 6}).source.top, 23);  // tab 6 selected
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 7}).source.top, 0);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 8}).source.left, 130);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 9}).picture, kTabBarTile);
    EXPECT_EQ(controls.Of({ControlName::TransportButton, 5}).picture, 14);

    // A skin without resources keeps every picture and still repaints.
    surface.loaded.clear();
    for (int r = 201; r <= 209; ++r) surface.missingResources.insert(r);
    surface.cells.clear();
    Load();
    EXPECT_TRUE(surface.loaded.empty());
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 6}).source.top, 23);
}

TEST_F(WindowShell, SelectingATabDrawsItSelectedAndTheOldOneNormal) {
    User().buttonClick(TabButtonOf(RightPanelTab::LocalFiles));
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 8}).source.top, 23);
    EXPECT_EQ(surface.CellOf({ControlName::WindowButton, 6}).source.top, 0);
    EXPECT_EQ(controls.Of(ControlOf(WindowButton::LocalFilesTab)).spoken, (SpokenControl{"本地文件", true}));
    EXPECT_EQ(controls.Of(ControlOf(WindowButton::TitlePagesTab)).spoken, (SpokenControl{"片库", false}));
    // The list action says its words, without the design's sign.
    EXPECT_EQ(controls.Text({ControlName::ListAction}), "∴ 清空列表");
    EXPECT_EQ(controls.Of({ControlName::ListAction}).spoken.name, "清空列表");
}

}  // namespace
}  // namespace ruvo::test
