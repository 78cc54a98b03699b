#include <gtest/gtest.h>

#include "fakes/PagesFixture.h"
#include "fakes/WindowFixture.h"
#include "portal/LinkDispatcher.h"
#include "base/LinkText.h"
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
class LinksAlone : public test::PagesFixture {
protected:
    std::vector<PlaySession> played;  // what plays after each start

    void SetUp() override {
        playback.Subscribe([this, item = 0](const PlayerArea&, const PlayerArea&) mutable {
            if (playback.ItemNumber() == item || playback.Session().item.kind == ItemKind::None) return;
            item = playback.ItemNumber();
            played.push_back(playback.Session());
        });
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
    EXPECT_EQ(Web(Pane::SidePage).navigations, std::vector<std::string>{std::string(kPortalBase) + "show.asp?id=12"});
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
    EXPECT_FALSE(PageNavigates(Pane::PortalPage, std::string(kPortalBase)));
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
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kPortalBase) + "show.asp?id=");
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

}  // namespace
}  // namespace ruvo
