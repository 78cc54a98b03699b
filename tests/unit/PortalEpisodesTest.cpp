// Episodes the portal names: its replies taken apart, the next episode found
// ahead by the finder alone, and in the window what the user's links and the
// bar's episode buttons play.
#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/WindowFixture.h"
#include "playback/NextEpisodeFinder.h"
#include "playback/PlayerBarLook.h"

namespace ruvo {
namespace {

using test::kTestPortal;

std::string Request(int id, const std::string& v, const std::string& v1) {
    return std::string(kTestPortal) + "h.asp?id=" + std::to_string(id) + "&v=" + v + "&v1=" + v1;
}

TEST(EpisodeReplyParse, EveryKindOfReply) {
    using Kind = EpisodeReply::Kind;
    EXPECT_EQ(ParseEpisodeReply(std::nullopt).kind, Kind::Failed);
    EXPECT_EQ(ParseEpisodeReply("1").kind, Kind::PortalError);
    EXPECT_EQ(ParseEpisodeReply("0").kind, Kind::NoEpisode);
    EXPECT_EQ(ParseEpisodeReply("").kind, Kind::Other);
    EXPECT_EQ(ParseEpisodeReply("<html>error</html>").kind, Kind::Other);
    EXPECT_EQ(ParseEpisodeReply("1\r\n").kind, Kind::Other);
    const EpisodeReply full = ParseEpisodeReply("L$http://a$qvod$extra");
    EXPECT_EQ(full.kind, Kind::PlayData);
    EXPECT_EQ(full.label, "L");
    EXPECT_EQ(full.address, "http://a");
    EXPECT_EQ(full.playerKind, "qvod");
    const EpisodeReply partial = ParseEpisodeReply("$");
    EXPECT_EQ(partial.kind, Kind::PlayData);
    EXPECT_EQ(partial.playerKind, "");
}

// The finder alone: what it learns of the episode after the playing one.
class Finder : public testing::Test {
protected:
    test::TempFolder folder;
    SettingsFile settings{folder.File("config.dll")};
    UserOptions options{settings};
    test::FakeFetch fetch;
    test::VirtualTimers timers;
    std::unique_ptr<Timer> retry = timers.CreateTimer();
    PlaySession session;
    std::vector<std::string> tips;
    int found = 0;
    EpisodeLookup lookup{kTestPortal, [this](const std::string& url, auto done) {
                             fetch.Get(url, 60, [done](std::optional<std::string> body) { done(std::move(body)); });
                         }};
    NextEpisodeFinder finder{{lookup, session, options, *retry,
                              [this](const std::string& text) { tips.push_back(text); }, [this] { ++found; },
                              [](const std::string&) {}}};

    void SetUp() override {
        options.Set(Option::PreloadNext, true);
        retry->SetInterval(50000);
        retry->SetOnTick([this] { finder.RetryTick(); });
        session.episode = PortalEpisode{"12", "0", "0", "星河"};
    }
    void Replies(const std::optional<std::string>& reply) { fetch.replies[Request(12, "0", "1")] = reply; }
};

TEST_F(Finder, EveryReplyTellsWhatFollows) {
    Replies("第2集$http://m/1.mp4$html5");
    finder.LookUp();
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request(12, "0", "1")});
    EXPECT_EQ(session.next.mediaAddress, "http://m/1.mp4");
    EXPECT_EQ(session.next.kind, NextEpisode::Kind::Ready);
    EXPECT_EQ(session.next.play.kind, "qvod");  // always the player, whatever the reply says
    EXPECT_EQ(found, 1);

    Replies("1");
    finder.LookUp();
    EXPECT_EQ(session.next.kind, NextEpisode::Kind::None);
    EXPECT_EQ(session.next.media, NextEpisode::Media::None);
    Replies("0");
    finder.LookUp();
    EXPECT_EQ(session.next.kind, NextEpisode::Kind::Unknown);
    EXPECT_EQ(session.next.media, NextEpisode::Media::Unknown);
    EXPECT_TRUE(session.next.preloadStarted);  // asked again with the retry, not by the preload

    options.Set(Option::PreloadNext, false);
    fetch.requests.clear();
    session.next.Found(EpisodePlay{}, "http://m/x.mp4");
    finder.LookUp();
    EXPECT_EQ(session.next.kind, NextEpisode::Kind::Unknown);
    EXPECT_TRUE(fetch.requests.empty());
}

// A name with dashes, as a play link carries it, stays whole in the next episode.
TEST_F(Finder, TheNextEpisodeKeepsTheTitlesWholeName) {
    session.episode = PortalEpisode{"12", "0", "0", "Spider-Man 2"};
    Replies("第2集$http://m/1.mp4$qvod");
    finder.LookUp();
    EXPECT_EQ(session.next.play.episode, (PortalEpisode{"12", "0", "1", "Spider-Man 2"}));
    EXPECT_EQ(session.next.play.label, "第2集");
}

// libmpv's other schemes read and write the user's files: such an address
// neither follows nor is downloaded ahead.
TEST_F(Finder, OnlyAWebAddressFollows) {
    for (const std::string address : {"av://lavfi:x", "/etc/passwd", "http://m/a\r\nb.mp4"}) {
        Replies("第2集$" + address + "$qvod");
        finder.LookUp();
        EXPECT_EQ(session.next.kind, NextEpisode::Kind::None) << address;
        EXPECT_EQ(session.next.media, NextEpisode::Media::None) << address;
    }
    EXPECT_EQ(found, 0);
}

TEST_F(Finder, AFailedLookUpIsMadeAgainAfterHundredSeconds) {
    Replies("<html>busy</html>");
    finder.LookUp();
    EXPECT_EQ(session.next.kind, NextEpisode::Kind::RetryDue);
    EXPECT_TRUE(session.next.preloadStarted);
    EXPECT_EQ(tips, std::vector<std::string>{"读取下一集数据出错，稍后将重新读取！"});
    Replies("第2集$http://m/1.mp4$qvod");
    fetch.requests.clear();
    timers.Advance(99'999);
    EXPECT_TRUE(fetch.requests.empty());
    timers.Advance(1);
    EXPECT_EQ(fetch.requests, std::vector{Request(12, "0", "1")});
    EXPECT_EQ(session.next.mediaAddress, "http://m/1.mp4");
    EXPECT_FALSE(session.next.preloadStarted);
    timers.Advance(200'000);
    EXPECT_EQ(fetch.requests.size(), 1u);  // found: not asked again
}

// The window: portal links the user follows and the bar's episode buttons.
class Episodes : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
    void Press(BarButton button) { User().transportClick(static_cast<int>(button)); }
    // A portal title playing: episode v1 of title 12, source 0.
    void Playing(int v1, const std::string& name = "星河") {
        fetch.replies[Request(12, "0", std::to_string(v1))] = "第" + std::to_string(v1 + 1) + "集$http://m/" +
                                                              std::to_string(v1) + ".mp4$qvod";
        PageNavigates(Pane::PortalPage, "eebovod://12-0-" + std::to_string(v1) + "-" + name);
        player.state = PlayerState::Playing;
        fetch.requests.clear();
        player.calls.clear();
        for (auto& pane : panes) pane.navigations.clear();
    }
    // Episode 5 of title 12 plays to the point where the next one is
    // looked up (downloaded whole); the portal's reply to that look-up.
    // Returns the look-up's address.
    std::string PlayingTheLastEpisodeAt(int position, const std::string& reply) {
        Playing(4);
        player.position = position;
        player.duration = 100;
        player.progress = 1000;
        const std::string request = Request(12, "0", "5");
        fetch.replies[request] = reply;
        return request;
    }
};

// The reply plays where its kind says, without a link through a pane.
TEST_F(Episodes, LookedUpEpisodePlaysWhereItsKindSays) {
    fetch.replies[Request(12, "0", "0")] = "L$http://a b/c?d=1$flv";
    PageNavigates(Pane::PortalPage, "eebovod://12-0-0-N");
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request(12, "0", "0")});
    EXPECT_EQ(fetch.lastTimeout, 60);
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), std::string(kTestPortal) + "play.htm?flv$$$" + JsEscape("http://a b/c?d=1"));
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|N|L|flv|" + JsEscape("http://a b/c?d=1") + "|0|0|0");
}

// While the portal is asked, the status line says so at every tick and a
// page's navigation acts at once. (The play service's own test drives which
// reply wins.)
TEST_F(Episodes, LookUpsNeverHoldTheWindow) {
    fetch.holdReplies = true;
    fetch.replies[Request(12, "0", "0")] = "L$http://m/12.mp4$qvod";
    PageNavigates(Pane::PortalPage, "eebovod://12-0-0-N");
    EXPECT_TRUE(PageNavigates(Pane::SidePage, std::string(kTestPortal) + "search.asp?searchword=x"));
    EXPECT_EQ(Web(Pane::SearchResults).navigations.size(), 1u);  // at once
    timers.Advance(3000);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在搜索资源，请稍后");
    fetch.Answer();
    EXPECT_EQ(player.url, "http://m/12.mp4");
}

struct FailedReply {
    const char* name;
    std::optional<std::string> body;
};

class ResolveFailure : public Episodes, public testing::WithParamInterface<FailedReply> {};

TEST_P(ResolveFailure, KeepsTheCurrentPlayAndReports) {
    Playing(0);
    fetch.replies[Request(15, "0", "2")] = GetParam().body;
    PageNavigates(Pane::PortalPage, "eebovod://15-0-2-X");
    EXPECT_EQ(Text(ControlName::StatusLine), "读取数据出错，请返回重试");
    EXPECT_EQ(tray.tips, std::vector<std::string>{"读取数据出错，请返回重试！"});
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(player.url, "http://m/0.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第1集");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ResolveFailure,
    testing::Values(FailedReply{"PortalError", "1"}, FailedReply{"NoEpisode", "0"},
                    FailedReply{"PortalDown", std::nullopt}, FailedReply{"ErrorPage", "<html>500</html>"},
                    FailedReply{"Empty", ""}, FailedReply{"Huge", std::string(10 << 20, 'z')},
                    FailedReply{"Binary", std::string("\x00\xFF\xFE\x01", 4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Episodes, TheBarsEpisodeButtons) {
    Playing(0);
    Press(BarButton::Previous);  // nothing before the first episode
    EXPECT_TRUE(fetch.requests.empty());
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    Press(BarButton::Next);
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request(12, "0", "1")});
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第2集");
    fetch.replies[Request(12, "0", "2")] = "0";
    Press(BarButton::Next);  // past the last: silently nothing
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第2集");
}

// The look-up link "eebovod://id-v-v1-name" is taken apart at its dashes.
TEST_F(Episodes, LookUpLinkNameIsCutAtItsFirstDash) {
    Playing(0, "城市-夜色");
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    Press(BarButton::Next);
    EXPECT_EQ(Text(ControlName::TitleLine), "城市-第2集");
}

// A play link carries the whole name: the episodes before and after it keep
// it, dashes and all, in their links, title line and watch history.
TEST_F(Episodes, PlayLinkNameKeepsItsDashesIntoTheNextEpisode) {
    PageNavigates(Pane::PortalPage, "eeqvod://qvod&&&http%3A//m/0.mp4&&&Spider-Man%202&&&第1集&&&12&&&0&&&0");
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    Press(BarButton::Next);
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|Spider-Man 2|第2集|qvod|http%3A//m/1.mp4|0|1|0");
    EXPECT_EQ(Text(ControlName::TitleLine), "Spider-Man 2-第2集");
}

// libmpv's other schemes read and write the user's files: an episode the
// portal names by one neither plays nor is stored, and what plays goes on.
TEST_F(Episodes, OnlyWebAddressesFromThePortalPlay) {
    Playing(0);
    const std::string stored = folder.Read("date.dat");
    for (const std::string address : {"av://lavfi:amovie=/home/u/.ssh/id_rsa", "/etc/passwd", "http://m/a\r\nb.mp4"}) {
        fetch.replies[Request(12, "0", "1")] = "第2集$" + address + "$qvod";
        PageNavigates(Pane::PortalPage, "eebovod://12-0-1-星河");
        EXPECT_EQ(player.url, "http://m/0.mp4") << address;
        EXPECT_TRUE(player.calls.empty()) << address;
        EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址") << address;
    }
    EXPECT_EQ(folder.Read("date.dat"), stored);
    timers.Advance(1000);  // the status tick of what plays leaves the notice its time
    EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址");
}

TEST_F(Episodes, PlayStartStopsAndRecordsTheItemLeft) {
    Playing(0);
    player.position = 33;
    timers.Advance(1000);
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    Press(BarButton::Next);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    // The new episode replaced the title's record, at the top with position 0.
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|星河|第2集|qvod|http%3A//m/1.mp4|0|1|0");
}

TEST_F(Episodes, ClosingThePagePlayer) {
    PageNavigates(Pane::PortalPage, "eeqvod://html5&&&x&&&N&&&L&&&12&&&1&&&0");
    User().closeWebPlayer();
    EXPECT_FALSE(Visible(ControlName::PagePlayerBox));
    EXPECT_TRUE(Visible(ControlName::PlayerBox));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), "about:blank");
    EXPECT_EQ(Text(ControlName::TitleLine), "");
}

// A look-up of the next episode that failed is made again after 100 s; when
// that finds it after the end, it plays on.
TEST_F(Episodes, ANextEpisodeFoundByTheRetryAfterTheEndPlaysOn) {
    const std::string request = PlayingTheLastEpisodeAt(99, "<html>busy</html>");
    timers.Advance(20000);  // the end, and a while after it
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(tray.tips, std::vector<std::string>{"读取下一集数据出错，稍后将重新读取！"});
    fetch.replies[request] = "第6集$http://m/6.mp4$qvod";
    timers.Advance(90000);
    EXPECT_EQ(player.url, "http://m/6.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第6集");
}

// On the last episode the portal answers "0": asked again at the retry's
// pace (100 s), not at every tick; a series that gains an episode meanwhile
// plays on, even after the end.
TEST_F(Episodes, NoNextEpisodeIsAskedAgainAtTheRetrysPaceAndStillPlaysOn) {
    const std::string request = PlayingTheLastEpisodeAt(40, "0");
    auto asked = [&] { return std::count(fetch.requests.begin(), fetch.requests.end(), request); };
    timers.Advance(60000);
    EXPECT_EQ(asked(), 1);
    player.position = 99;
    timers.Advance(30000);  // the end, and a while after it
    EXPECT_EQ(asked(), 1);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    fetch.replies[request] = "第6集$http://m/6.mp4$qvod";
    timers.Advance(9000);  // 99 s after the first look-up
    EXPECT_EQ(asked(), 1);
    timers.Advance(2000);
    EXPECT_EQ(asked(), 2);
    EXPECT_EQ(player.url, "http://m/6.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第6集");
}

}  // namespace
}  // namespace ruvo
