// Episodes the portal names: its replies taken apart, the next episode found
// ahead by the finder alone, and in the window the road from a look-up to
// what plays next, with the status line, the bar and the timers together.
#include <gtest/gtest.h>

#include "config/TextFile.h"
#include "fakes/PartFixture.h"
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
class Finder : public test::PartFixture {
protected:
    test::FakeFetch fetch;
    std::unique_ptr<Timer> retry = timers.CreateTimer();
    std::vector<std::string> tips;
    int found = 0;
    EpisodeLookup lookup{kTestPortal, [this](const std::string& url, auto done) { fetch.Get(url, 60, std::move(done)); }};
    NextEpisodeFinder finder{{lookup, playback, options, *retry,
                              [this](const std::string& text) { tips.push_back(text); }, [this] { ++found; },
                              [](const std::string&) {}}};

    void SetUp() override {
        options.Set(Option::PreloadNext, true);
        retry->SetInterval(50000);
        retry->SetOnTick([this] { finder.RetryTick(); });
        Playing({"12", "0", "0", "星河"});
    }
    void Playing(const PortalEpisode& episode) { playback.Start({EpisodePlay{episode, "第1集", "http%3A//m/0.mp4", "qvod"}}); }
    void Replies(const std::optional<std::string>& reply) { fetch.replies[Request(12, "0", "1")] = reply; }
};

TEST_F(Finder, EveryReplyTellsWhatFollows) {
    Replies("第2集$http://m/1.mp4$html5");
    finder.LookUp();
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request(12, "0", "1")});
    EXPECT_EQ(session().next.mediaAddress, "http://m/1.mp4");
    EXPECT_EQ(session().next.kind, NextEpisode::Kind::Ready);
    EXPECT_EQ(session().next.play.kind, "qvod");  // always the player, whatever the reply says
    EXPECT_EQ(found, 1);

    Replies("1");
    finder.LookUp();
    EXPECT_EQ(session().next.kind, NextEpisode::Kind::None);
    EXPECT_EQ(session().next.media, NextEpisode::Media::None);
    Replies("0");
    finder.LookUp();
    EXPECT_EQ(session().next.kind, NextEpisode::Kind::Unknown);
    EXPECT_EQ(session().next.media, NextEpisode::Media::Unknown);
    EXPECT_TRUE(session().next.preloadStarted);  // asked again with the retry, not by the preload

    options.Set(Option::PreloadNext, false);
    fetch.requests.clear();
    playback.LearnNext(Following(EpisodePlay{}, "http://m/x.mp4"));
    finder.LookUp();
    EXPECT_EQ(session().next.kind, NextEpisode::Kind::Unknown);
    EXPECT_TRUE(fetch.requests.empty());
}

// A name with dashes, as a play link carries it, stays whole in the next episode.
TEST_F(Finder, TheNextEpisodeKeepsTheTitlesWholeName) {
    Playing({"12", "0", "0", "Spider-Man 2"});
    Replies("第2集$http://m/1.mp4$qvod");
    finder.LookUp();
    EXPECT_EQ(session().next.play.episode, (PortalEpisode{"12", "0", "1", "Spider-Man 2"}));
    EXPECT_EQ(session().next.play.label, "第2集");
}

// libmpv's other schemes read and write the user's files: such an address
// neither follows nor is downloaded ahead.
TEST_F(Finder, OnlyAWebAddressFollows) {
    for (const std::string address : {"av://lavfi:x", "/etc/passwd", "http://m/a\r\nb.mp4"}) {
        Replies("第2集$" + address + "$qvod");
        finder.LookUp();
        EXPECT_EQ(session().next.kind, NextEpisode::Kind::None) << address;
        EXPECT_EQ(session().next.media, NextEpisode::Media::None) << address;
    }
    EXPECT_EQ(found, 0);
}

TEST_F(Finder, AFailedLookUpIsMadeAgainAfterHundredSeconds) {
    Replies("<html>busy</html>");
    finder.LookUp();
    EXPECT_EQ(session().next.kind, NextEpisode::Kind::RetryDue);
    EXPECT_TRUE(session().next.preloadStarted);
    EXPECT_EQ(tips, std::vector<std::string>{"读取下一集数据出错，稍后将重新读取！"});
    Replies("第2集$http://m/1.mp4$qvod");
    fetch.requests.clear();
    timers.Advance(99'999);
    EXPECT_TRUE(fetch.requests.empty());
    timers.Advance(1);
    EXPECT_EQ(fetch.requests, std::vector{Request(12, "0", "1")});
    EXPECT_EQ(session().next.mediaAddress, "http://m/1.mp4");
    EXPECT_FALSE(session().next.preloadStarted);
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

TEST_F(Episodes, PlayStartStopsAndRecordsTheItemLeft) {
    Playing(0);
    player.position = 33;
    timers.Advance(1000);
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    Press(BarButton::Next);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    // Once it plays, the new episode replaces the title's record, at the top with position 0.
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|星河|第2集|qvod|http%3A//m/1.mp4|0|1|0");
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
