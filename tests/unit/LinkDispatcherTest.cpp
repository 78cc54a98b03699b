#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/PartFixture.h"
#include "fakes/WindowFixture.h"
#include "portal/LinkDispatcher.h"
#include "base/LinkText.h"
#include "playback/PlayerBarLook.h"
#include "shell/NavigationButtons.h"

namespace ruvo {
namespace {

using test::kTestPortal;

class Dispatcher : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
    void ShowLocalList() { User().buttonClick(TabButtonOf(RightPanelTab::LocalFiles)); }
    std::vector<std::string> ListLines(std::string_view list) {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{});
    }
    // What plays reaches second `position` and the user stops it: a list
    // item keeps that place in its line.
    void StoppedAt(int position) {
        player.state = PlayerState::Playing;
        player.position = position;
        timers.Advance(1000);
        User().transportClick(static_cast<int>(BarButton::Stop));
    }
};

TEST(LinkText, TrimLinkRules) {
    EXPECT_EQ(TrimLink("eeshow://play/1.html", "eeshow://"), "/play/1.html");
    EXPECT_EQ(TrimLink("eeshow:///play/1.html", "eeshow://"), "/play/1.html");
    EXPECT_EQ(TrimLink("eeshow://play/", "eeshow://"), "/play/");  // no trailing "/" removed
    EXPECT_EQ(TrimLink("eetvs://news&&&ch=1/", "eetvs://"), "news&&&ch=1");
    EXPECT_EQ(TrimLink("open://3//", "open://"), "3/");  // one trailing "/" only
    EXPECT_EQ(TrimLink("x eebovod://1-2 eebovod://", "eebovod://"), "x 1-2 ");
    EXPECT_EQ(SplitText("a&&&&&&b", "&&&"), (std::vector<std::string>{"a", "", "b"}));
}

// The dispatcher alone: the links of each pane as the requests, list edits
// and navigations they become.
class LinksAlone : public test::PartFixture {
protected:
    std::array<test::FakeWebPane, kPaneCount> panes;
    PaneFailures failures;
    test::FakeDialogs dialogs;
    std::vector<PlaySession> played;  // what plays after each start
    bool localListLast = false;  // the local-file tab was shown last
    LinkDispatcher dispatcher{{test::PaneSetOf(panes), PortalFrom(kTestPortal), folder.Path(), failures, view, lists, dialogs,
                               playback, [](bool) {}, [] {}, [](const std::string&) {}, [this] { return localListLast; }}};

    void SetUp() override {
        playback.Subscribe([this, item = 0](const PlayerArea&, const PlayerArea&) mutable {
            if (playback.ItemNumber() == item || playback.Session().item.kind == ItemKind::None) return;
            item = playback.ItemNumber();
            played.push_back(playback.Session());
        });
        for (const Pane pane : kAllPanes) {
            WebPaneEvents events;
            events.beforeNavigate = dispatcher.HandlerFor(pane);
            Web(pane).SetEvents(events);
        }
    }
    test::FakeWebPane& Web(Pane pane) { return panes[static_cast<size_t>(pane)]; }
    // A navigation the page itself starts: true when the program took it.
    bool PageNavigates(Pane pane, const std::string& url) {
        bool cancel = false;
        if (Web(pane).events.beforeNavigate) Web(pane).events.beforeNavigate(url, cancel);
        return cancel;
    }
    std::vector<std::string> ListLines(std::string_view list) {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{});
    }
    std::vector<std::string> LookUps() const { return fetch.requests; }
    std::string LookUpOf(const PortalEpisode& episode) const { return lookup.RequestUrl(episode); }
};

// Each kind of private link becomes the request that plays it.
TEST_F(LinksAlone, PlayLinksBecomeTheirRequests) {
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eebovod://12-0-3-海贼王"));
    EXPECT_EQ(LookUps(), std::vector<std::string>{LookUpOf({"12", "0", "3", "海贼王"})});
    EXPECT_TRUE(PageNavigates(Pane::SidePage, "eeqvod://qvod&&&http%3A//m/x.mp4&&&A&&&B&&&7&&&0&&&1"));
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://news&&&ch=1/"));
    folder.Write("date.dat", "12|星河|%u7B2C3%u96C6|qvod|http%3A//m/3.mp4|0|2|95\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    folder.Write("movie.mkv", "x");
    folder.Write("date_f.dat", "movie.mkv|" + folder.File("movie.mkv") + "|61\r\n");
    localListLast = true;
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://1"));
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].episode, (PortalEpisode{"7", "0", "1", "A"}));
    EXPECT_EQ(played[0].item.label, "B");
    EXPECT_EQ(played[0].item.address, "http%3A//m/x.mp4");
    EXPECT_EQ(played[1].item.name, "news");
    EXPECT_EQ(played[2].item.address, "http%3A//m/3.mp4");
    EXPECT_EQ(played[2].item.label, "第3集");
    EXPECT_EQ(played[2].resumeAt, 95);
    EXPECT_EQ(played[3].item.address, folder.File("movie.mkv"));
    EXPECT_EQ(played[3].resumeAt, 61);
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());  // played at once, not loaded by a pane
    // The watched title's page shows beside it.
    EXPECT_EQ(Web(Pane::SidePage).navigations, std::vector<std::string>{std::string(kTestPortal) + "show.asp?id=12"});
}

// A look-up link "eebovod://id-v-v1-name" is cut at its dashes; a play link
// carries the whole name, dashes and all.
TEST_F(LinksAlone, TitleNamesWithDashes) {
    fetch.replies[LookUpOf({"12", "0", "0", ""})] = "第1集$http://m/0.mp4$qvod";
    PageNavigates(Pane::PortalPage, "eebovod://12-0-0-城市-夜色");
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].episode->name, "城市");
    PageNavigates(Pane::PortalPage, "eeqvod://qvod&&&http%3A//m/0.mp4&&&Spider-Man%202&&&第1集&&&12&&&0&&&0");
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[1].episode, (PortalEpisode{"12", "0", "0", "Spider-Man 2"}));
}

TEST_F(LinksAlone, ContainsAgainstStartsWith) {
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "http://other/?go=eeshow://show/1.html"));
    EXPECT_FALSE(PageNavigates(Pane::HistoryList, "http://other/open://1"));
    EXPECT_FALSE(PageNavigates(Pane::LocalList, "http://other/delk://1"));
    EXPECT_FALSE(PageNavigates(Pane::PortalPage, "EESHOW://show/1.html"));  // case-sensitive
    EXPECT_FALSE(PageNavigates(Pane::PortalPage, std::string(kTestPortal)));
    EXPECT_FALSE(PageNavigates(Pane::PagePlayer, "eeqvod://qvod&&&x"));  // Web2 plays nothing from links
    for (const Pane noHandler : {Pane::Statistics, Pane::PlayerAdvert, Pane::ScrollingAdvert})
        EXPECT_FALSE(PageNavigates(noHandler, "eebovod://1-0-0-x"));
    EXPECT_TRUE(LookUps().empty());
}

TEST_F(LinksAlone, MalformedLinksEndQuietly) {
    const std::string huge(1 << 20, 'x');
    for (const std::string& link :
         {std::string("eebovod://"), std::string("eebovod://abc-x-y-"), "eebovod://" + huge,
          std::string("eeqvod://"), std::string("eeqvod://qvod"), std::string("eeqvod://qvod&&&%u12%zz&&&&&&&&&0&&&&&&&&&extra&&&more"),
          "eeqvod://qvod&&&" + huge + "&&&n&&&l&&&5&&&0&&&0", std::string("eetvs://"), std::string("eeshow://"),
          std::string("delk://"), std::string("open://")}) {
        PageNavigates(Pane::PortalPage, link);
        PageNavigates(Pane::HistoryList, link);
    }
    EXPECT_EQ(LookUps().size(), 3u);  // the three eebovod links asked the portal; the rest is checked where it plays
}

TEST_F(LinksAlone, DeleteLinksRemoveALineOfTheListThatShows) {
    folder.Write("date.dat", "1|a|e|qvod|x|0|0|0\r\n2|b|e|qvod|x|0|0|0\r\n3|c|e|qvod|x|0|0|0\r\n");
    folder.Write("date_f.dat", "a|/a|0\r\nb|/b|0\r\nc|/c|0\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "delk://3/"));
    EXPECT_EQ(ListLines("date.dat").size(), 2u);
    localListLast = true;
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "delk://3"));  // forwarded to Web3
    EXPECT_EQ(ListLines("date_f.dat"), (std::vector<std::string>{"a|/a|0", "b|/b|0"}));
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "delk://x/"));  // not a number: nothing
    EXPECT_EQ(ListLines("date_f.dat").size(), 2u);
}

TEST_F(LinksAlone, OpenLinkPastTheEndOrNotANumber) {
    folder.Write("date.dat", "12|a|e|qvod|x|0|0|0\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://9"));
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kTestPortal) + "show.asp?id=");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://abc"));
    EXPECT_EQ(Web(Pane::SidePage).navigations.size(), 1u);
}

// The page player's pane shows portal pages: no address a page opens there
// ends what plays or starts the next episode.
TEST_F(LinksAlone, NoAddressInThePagePlayerEndsPlay) {
    EXPECT_FALSE(PageNavigates(Pane::PagePlayer, "http://end-of-play.ruvo-box.invalid/next"));
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());
    EXPECT_TRUE(played.empty());
}

TEST_F(Dispatcher, TitleLinkOpensTheTitlePageInTheSidePane) {
    User().buttonClick(WindowButton::RightPanelToggle);
    ASSERT_FALSE(Visible(ControlName::RightPanel));
    User().buttonClick(TabButtonOf(RightPanelTab::WatchHistory));
    Web(Pane::SidePage).events.navigateError(std::string(kTestPortal) + "right.asp");
    ASSERT_TRUE(Visible(ControlName::SidePaneNotice));
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eeshow://play/1.html"));
    EXPECT_EQ(Web(Pane::SidePage).navigations, std::vector<std::string>{"http://127.0.0.1:8790/play/1.html"});
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eeshow:///play/1.html"));
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), "http://127.0.0.1:8790/play/1.html");
    EXPECT_TRUE(Visible(ControlName::RightPanel));
    EXPECT_TRUE(Visible(ControlName::LibraryTab));
    EXPECT_FALSE(Visible(ControlName::WatchHistoryTab));
    Web(Pane::SidePage).events.downloadComplete();  // the title page replaces the notice
    EXPECT_FALSE(Visible(ControlName::SidePaneNotice));
}

TEST_F(Dispatcher, TelevisionLinkPlaysInThePagePlayer) {
    WriteList("date.dat", "12|t|e|qvod|http%3A//m/a.mp4|0|0|0\r\n");
    ASSERT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    player.state = PlayerState::Playing;
    player.position = 40;
    timers.Advance(1000);
    player.calls.clear();
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://news&&&ch=1/"));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations, std::vector<std::string>{std::string(kTestPortal) + "tv/eebotv.htm?ch=1"});
    EXPECT_EQ(Text(ControlName::TitleLine), "news");
    EXPECT_FALSE(Visible(ControlName::PlayerBox));
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));
    EXPECT_FALSE(Visible(ControlName::RightPanel));
    EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});
    EXPECT_EQ(ListLines("date.dat"), std::vector<std::string>{"12|t|e|qvod|http%3A//m/a.mp4|0|0|40"});  // the left item's place
    StoppedAt(70);
    EXPECT_EQ(ListLines("date.dat"), std::vector<std::string>{"12|t|e|qvod|http%3A//m/a.mp4|0|0|40"});  // a channel's place is kept nowhere
}

TEST_F(Dispatcher, EpisodeLinkResolvesAndPlaysWithItsChineseName) {
    fetch.replies[std::string(kTestPortal) + "h.asp?id=12&v=0&v1=0"] = "第1集$http://m/海 1.mp4$qvod";
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eebovod://12-0-0-海贼王"));
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());  // played at once, not as a link through the pane
    EXPECT_EQ(player.url, "http://m/海 1.mp4");
    EXPECT_EQ(player.calls, std::vector<std::string>{"play"});
    EXPECT_EQ(Text(ControlName::TitleLine), "海贼王-第1集");
    player.Report(PlayerEvent::FirstFrame);  // listed once it plays
    EXPECT_EQ(ListLines("date.dat")[0], "12|海贼王|第1集|qvod|" + JsEscape("http://m/海 1.mp4") + "|0|0|0");
    EXPECT_EQ(Web(Pane::HistoryList).navigations.back(), folder.File("c.htm"));
    StoppedAt(30);
    EXPECT_EQ(ListLines("date.dat")[0], "12|海贼王|第1集|qvod|" + JsEscape("http://m/海 1.mp4") + "|0|0|30");
}

TEST_F(Dispatcher, PagePlayerKindPlaysInWeb2AndListsTheTitle) {
    ASSERT_TRUE(Runs(WindowTimer::StatusTick));
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eeqvod://html5&&&http%3A//m/a.webm&&&%u661F&&&%u7B2C2%u96C6&&&12&&&1&&&1/"));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), std::string(kTestPortal) + "play.htm?html5$$$http%3A//m/a.webm");
    EXPECT_FALSE(Runs(WindowTimer::StatusTick));
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(ListLines("date.dat")[0], "12|星|第2集|html5|http%3A//m/a.webm|1|1|0");
}

// Handed to the portal pane's handler as they are, without a pane loading them.
TEST_F(Dispatcher, SidePaneAndSearchResultsHandPlayLinksOnUnchanged) {
    const std::string link = "eeqvod://qvod&&&http%3A//m/x.mp4&&&A&&&B&&&7&&&0&&&0";
    EXPECT_TRUE(PageNavigates(Pane::SidePage, link));
    EXPECT_TRUE(Web(Pane::SidePage).navigations.empty());
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());
    EXPECT_EQ(player.url, "http://m/x.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "A-B");
    EXPECT_TRUE(PageNavigates(Pane::SearchResults, "eeshow://show/7.html"));
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kTestPortal).substr(0, std::string(kTestPortal).size() - 5) + "/show/7.html");
    EXPECT_FALSE(PageNavigates(Pane::SidePage, "eeshow://show/7.html"));  // not intercepted in Web5
    EXPECT_FALSE(PageNavigates(Pane::SidePage, "eetvs://a&&&b"));
}

TEST_F(Dispatcher, SearchOpensResultsAndHomeLinkClosesThem) {
    const std::string search = std::string(kTestPortal) + "search.asp?searchword=星河";
    EXPECT_TRUE(PageNavigates(Pane::SidePage, search));
    EXPECT_EQ(Web(Pane::SearchResults).navigations, std::vector<std::string>{search});
    EXPECT_FALSE(Visible(ControlName::MainPaneBox));
    EXPECT_TRUE(Visible(ControlName::SearchResultsBox));
    EXPECT_TRUE(PageNavigates(Pane::SearchResults, "fanhome://"));
    EXPECT_FALSE(Visible(ControlName::SearchResultsBox));
    EXPECT_TRUE(Visible(ControlName::MainPaneBox));
    // Only the portal's own search page, doubled slashes or not, takes the main area.
    using namespace std::string_literals;
    const std::string portal = kTestPortal;
    for (const std::string& other : {portal + "x?search.asp", portal + "search.aspx", "http://other/?x=search.asp"s})
        EXPECT_FALSE(PageNavigates(Pane::SidePage, other)) << other;
    EXPECT_TRUE(PageNavigates(Pane::SidePage, portal + "/search.asp"));
    Web(Pane::PortalPage).events.navigateError(kTestPortal);
    PageNavigates(Pane::SidePage, search);
    PageNavigates(Pane::SearchResults, "fanhome://");
    EXPECT_TRUE(Visible(ControlName::MainAreaNotice));
}

TEST_F(Dispatcher, OpenLinkReplaysAHistoryItemWhereItWasLeft) {
    WriteList("date.dat", "\r\n12|星河|%u7B2C3%u96C6|qvod|http%3A//m/3.mp4|0|2|95\r\n");
    User().buttonClick(TabButtonOf(RightPanelTab::WatchHistory));  // the history tab shows
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://2"));
    EXPECT_EQ(player.url, "http://m/3.mp4");
    EXPECT_EQ(player.position, 95);
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第3集");
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kTestPortal) + "show.asp?id=12");
    EXPECT_TRUE(Visible(ControlName::LibraryTab));
    EXPECT_TRUE(Visible(ControlName::PlayerBox));
    EXPECT_FALSE(Visible(ControlName::PagePlayerBox));
    EXPECT_EQ(ListLines("date.dat").size(), 2u);                                  // a replay adds no record
    StoppedAt(120);
    EXPECT_EQ(ListLines("date.dat").back(), "12|星河|%u7B2C3%u96C6|qvod|http%3A//m/3.mp4|0|2|120");
    User().transportClick(static_cast<int>(BarButton::Next));  // the episode after it
    EXPECT_EQ(fetch.requests.back(), std::string(kTestPortal) + "h.asp?id=12&v=0&v1=3");
}

// A row stored before addresses were checked may hold what a portal sent.
TEST_F(Dispatcher, ListRowsPlayOnlyWebAddressesAndFiles) {
    WriteList("date.dat", "12|星河|e|qvod|av%3A//lavfi%3Aamovie%3D/etc/passwd|0|2|95\r\n");
    User().buttonClick(TabButtonOf(RightPanelTab::WatchHistory));
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址");
    EXPECT_EQ(ListLines("date.dat").size(), 1u);
    // A web address among the local files plays; an address of another kind
    // neither plays nor goes.
    folder.Write("date_f.dat", "live|http://m/live|7\r\nx|av://lavfi:x|0\r\n");
    ShowLocalList();
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://2"));
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(ListLines("date_f.dat").size(), 2u);
    EXPECT_TRUE(dialogs.notices.empty());
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://1"));
    EXPECT_EQ(player.url, "http://m/live");
    EXPECT_EQ(player.position, 7);
}

TEST_F(Dispatcher, OpenLinkOfAPagePlayerItemUsesWeb2) {
    WriteList("date.dat", "12|星河|e|html5|http%3A//m/a.webm|1|0|0\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), std::string(kTestPortal) + "play.htm?html5$$$http%3A//m/a.webm");
    EXPECT_FALSE(Visible(ControlName::PlayerBox));
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));
}

TEST_F(Dispatcher, OpenLinkOfALocalFile) {
    folder.Write("movie.mkv", "x");
    folder.Write("date_f.dat", "movie.mkv|" + folder.File("movie.mkv") + "|61\r\ngone.mkv|/no/such/gone.mkv|0\r\n");
    ShowLocalList();
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://1"));
    EXPECT_EQ(player.url, folder.File("movie.mkv"));
    EXPECT_EQ(player.position, 61);
    StoppedAt(90);
    EXPECT_EQ(ListLines("date_f.dat")[0], "movie.mkv|" + folder.File("movie.mkv") + "|90");
    User().transportClick(static_cast<int>(BarButton::Next));  // a file is no episode
    EXPECT_TRUE(fetch.requests.empty());

    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://2/"));
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "/no/such/gone.mkv不存在");
    EXPECT_EQ(ListLines("date_f.dat").size(), 1u);
}

}  // namespace
}  // namespace ruvo
