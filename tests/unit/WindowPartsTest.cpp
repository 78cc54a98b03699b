#include <gtest/gtest.h>

#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "fakes/WindowFixture.h"
#include "playback/PlayerBarLook.h"
#include "portal/PaneLoadEvents.h"
#include "portal/SearchBox.h"
#include "shell/NavigationButtons.h"
#include "shell/TipMenus.h"

namespace ruvo {
namespace {

using test::kTestPortal;

class WindowParts : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
};

// The search box on its own: the text the user typed comes with each event.
TEST(SearchBoxAlone, SendsTheTrimmedTextOnceAndNeverTheHint) {
    test::FakeControls screen;
    WindowView view{screen};
    test::FakeWebPane results;
    SearchBox box{view, results, kTestPortal};
    box.FocusLost("");
    EXPECT_EQ(screen.Text({ControlName::SearchBox}), "请输入电影名称、主演");
    box.Search("请输入电影名称、主演");  // the hint itself is never sent
    box.ClickInBox("请输入电影名称、主演");
    EXPECT_EQ(screen.Text({ControlName::SearchBox}), "");
    box.Search("   ");
    EXPECT_TRUE(results.navigations.empty());
    box.Search(" 星河 ");
    EXPECT_EQ(results.navigations, std::vector<std::string>{std::string(kTestPortal) + "search.asp?searchword=星河"});
    EXPECT_TRUE(screen.IsVisible({ControlName::SearchResultsBox}));
    EXPECT_FALSE(screen.IsVisible({ControlName::MainPaneBox}));
    box.Search("星河");  // the same text again only shows the results
    EXPECT_EQ(results.navigations.size(), 1u);
    box.Search("请输入片名");
    EXPECT_EQ(results.navigations.size(), 1u);
    box.FocusLost(" ");
    EXPECT_EQ(screen.Text({ControlName::SearchBox}), "请输入电影名称、主演");
}

TEST_F(WindowParts, FailedPortalPageShowsTheNoticeUntilRetried) {
    Web(Pane::PortalPage).events.navigateError(std::string(kTestPortal));
    EXPECT_TRUE(Visible(ControlName::MainAreaNotice));
    EXPECT_FALSE(Visible(ControlName::MainPaneBox));
    Web(Pane::PortalPage).events.downloadComplete();  // a later page does not remove it
    EXPECT_TRUE(Visible(ControlName::MainAreaNotice));
    User().retryMainArea();
    EXPECT_EQ(Web(Pane::PortalPage).navigations.back(), kTestPortal);
    Web(Pane::PortalPage).events.downloadComplete();
    EXPECT_FALSE(Visible(ControlName::MainAreaNotice));
    EXPECT_TRUE(Visible(ControlName::MainPaneBox));
}

TEST_F(WindowParts, ErrorsOfOtherSitesRaiseNoNotice) {
    Web(Pane::PortalPage).events.navigateError("http://ads.example/frame.html");
    EXPECT_FALSE(Visible(ControlName::MainAreaNotice));
    Web(Pane::SidePage).events.navigateError(std::string(kTestPortal) + "/right.asp");
    EXPECT_TRUE(Visible(ControlName::SidePaneNotice));
    User().retrySidePane();
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kTestPortal) + "/right.asp");
    Web(Pane::SidePage).events.downloadComplete();
    EXPECT_FALSE(Visible(ControlName::SidePaneNotice));
}

TEST_F(WindowParts, FailedSearchPageShowsTheMainNoticeButNoFailedFlag) {
    Web(Pane::SearchResults).events.navigateError(std::string(kTestPortal) + "search.asp?searchword=x");
    EXPECT_TRUE(Visible(ControlName::MainAreaNotice));
    EXPECT_FALSE(Visible(ControlName::SearchResultsBox));
    Web(Pane::PortalPage).events.downloadComplete();
    EXPECT_FALSE(Visible(ControlName::MainAreaNotice));
}

TEST_F(WindowParts, AdvertisementPanesHideWhenTheyFail) {
    Web(Pane::PlayerAdvert).events.navigateError("http://anything/");
    EXPECT_TRUE(Visible(ControlName::PlayerAdPicture));
    controls.SetVisible({ControlName::ScrollAdBar}, true);
    Web(Pane::ScrollingAdvert).events.navigateError("http://anything/");
    Web(Pane::ScrollingAdvert).events.downloadComplete();
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
    EXPECT_FALSE(Web(Pane::Statistics).events.navigateError);
}

TEST_F(WindowParts, RightClickOnAHistoryRowKeepsItsLinkAndOpensTheRowMenu) {
    Web(Pane::HistoryList).events.contextMenu("open://2");
    EXPECT_EQ(menus.popped, std::vector<std::string>{"historyRow"});
    // Outside a row link (the empty-list row, the background): no menu, the last row is kept.
    Web(Pane::HistoryList).events.contextMenu("");
    Web(Pane::HistoryList).events.contextMenu("delk://3");
    EXPECT_EQ(menus.popped.size(), 1u);
    Web(Pane::HistoryList).navigations.clear();
    User().menuEntryChosen("playSelected");  // "播放选定" plays the row right-clicked
    EXPECT_EQ(Web(Pane::HistoryList).navigations, std::vector<std::string>{"open://2"});
    EXPECT_FALSE(Web(Pane::PortalPage).events.contextMenu);  // other panes only lose the engine's menu
}

TEST_F(WindowParts, EveryPaneTurnsSilentWhenItStartsLoading) {
    for (const Pane pane : kAllPanes) {
        Web(pane).events.downloadBegin();
        EXPECT_TRUE(Web(pane).silent) << PaneName(pane);
    }
}

TEST_F(WindowParts, TabsSwitchTheirContainersAndListAction) {
    User().buttonClick(WindowButton::LocalFilesTab);
    EXPECT_TRUE(Visible(ControlName::LocalFilesTab));
    EXPECT_FALSE(Visible(ControlName::LibraryTab));
    EXPECT_EQ(Text(ControlName::ListAction), "∴ 清空列表");
    User().buttonClick(WindowButton::HistoryTab);
    EXPECT_TRUE(Visible(ControlName::WatchHistoryTab));
    EXPECT_FALSE(Visible(ControlName::LocalFilesTab));
    EXPECT_EQ(Text(ControlName::ListAction), "∴ 管理任务");
}

TEST_F(WindowParts, RightPanelToggleResizesANormalWindowBy3405Twips) {
    const int width = host.twipsWidth;
    User().buttonClick(WindowButton::RightPanelToggle);
    EXPECT_FALSE(Visible(ControlName::RightPanel));
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 7}), "展开右侧");
    EXPECT_EQ(host.twipsWidth, width - 3405);
    User().buttonClick(WindowButton::RightPanelToggle);
    EXPECT_TRUE(Visible(ControlName::RightPanel));
    EXPECT_EQ(host.twipsWidth, width);
    host.maximized = true;
    User().buttonClick(WindowButton::RightPanelToggle);
    EXPECT_EQ(host.twipsWidth, width);
}

TEST_F(WindowParts, StopStoresThePositionOfTheItemPlaying) {
    const auto stop = [this] { User().transportClick(BarButton::Stop); };
    stop();  // nothing loaded: nothing happens
    EXPECT_TRUE(player.calls.empty());
    PlayingLocalFile(77);
    timers.Advance(1000);
    stop();
    EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});
    EXPECT_EQ(folder.Read("date_f.dat"), LocalLine(77));
    EXPECT_EQ(Text(ControlName::StatusLine), "已停止");
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:00 / 00:00");
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
    EXPECT_FALSE(Runs(WindowTimer::StatusTick));
}

TEST_F(WindowParts, LongTitleHidesTheScrollBar) {
    fetch.replies["http://127.0.0.1:8790/box/lib/wen.txt"] = "0====0====0====1====1.0";  // the bar is on
    timers.Advance(6000);
    controls.Move({ControlName::ScrollAdBar}, {200, 0, 200, 20});
    PageNavigates(Pane::PortalPage, "eetvs://短&&&id=1");
    EXPECT_TRUE(Visible(ControlName::ScrollAdBar));
    PageNavigates(Pane::PortalPage, "eetvs://" + std::string(30, 'x') + "&&&id=1");
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
}

// A right click on a row of the watch history offers the row's menu; its
// entries act on that row, through the list's own links.
TEST_F(WindowParts, ARightClickedWatchedRowOffersItsMenu) {
    WriteList("date.dat", "12|a|b|qvod|http%3A//m/1.mp4|0|0|0\r\n15|c|d|qvod|http%3A//m/2.mp4|0|0|0\r\n");
    Web(Pane::HistoryList).events.contextMenu("open://2");
    EXPECT_EQ(menus.popped, std::vector<std::string>{"historyRow"});
    User().menuEntryChosen("deleteSelected");
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value(), std::vector<std::string>{"12|a|b|qvod|http%3A//m/1.mp4|0|0|0"});
    Web(Pane::HistoryList).events.contextMenu("open://1");
    User().menuEntryChosen("playSelected");
    EXPECT_EQ(player.url, "http://m/1.mp4");
}

// A file chosen with the bar's open button while the page player shows plays
// in the player, is listed under its name and the local list shows.
TEST_F(WindowParts, AnOpenedFilePlaysIsListedAndItsListShows) {
    MakeFolders(folder.File("视频"));
    const std::string file = folder.File("视频/一二三四五六七八九十一二三四五六.mkv");
    ReplaceFileAtomically(file, "video");
    dialogs.chosenFile = file;
    PageNavigates(Pane::PortalPage, "eeqvod://html5&&&x&&&N&&&L&&&12&&&1&&&0");  // the page player shows
    User().transportClick(BarButton::OpenFile);
    EXPECT_EQ(player.url, file);
    EXPECT_EQ(Text(ControlName::TitleLine), "一二三四五六七八九十一二三四五");  // width 30
    player.Report(PlayerEvent::FirstFrame);  // listed once it plays
    EXPECT_EQ(ReadTextFileLines(folder.File("date_f.dat")).value()[0], "一二三四五六七八九十一二三四五|" + file + "|0");
    EXPECT_TRUE(Visible(ControlName::PlayerBox));
    EXPECT_FALSE(Visible(ControlName::PagePlayerBox));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), "about:blank");
    EXPECT_TRUE(Visible(ControlName::LocalFilesTab));
}

}  // namespace
}  // namespace ruvo
