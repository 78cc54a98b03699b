// The play service alone, on the ports' fakes: what each start shows, plays
// and stores, and how look-ups that come late are treated.
#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/PartFixture.h"
#include "playback/IdleInhibition.h"
#include "playback/PlayService.h"

namespace ruvo {
namespace {

constexpr const char* kPortal = "http://portal.test/box/";

class Plays : public test::PartFixture {
protected:
    test::FakeWebPane pagePlayer;
    test::FakeFetch fetch;
    test::FakeIdleInhibitor idle;
    HistoryLists lists{folder.Path()};
    IdleInhibition inhibition{idle, player, session, view};
    EpisodeLookup lookup{kPortal, [this](const std::string& url, auto done) { fetch.Get(url, 60, std::move(done)); }};
    std::vector<std::string> tips, stops, notices, waiting, trace;
    PlayService plays{{lookup, kPortal, pagePlayer, player, session, view, lists, *statusTick, inhibition,
                       [this](const std::string& text) { tips.push_back(text); },
                       [this](const std::string& text) { view.SetText({ControlName::TitleLine}, text); },
                       [this](bool keepPlace) {
                           stops.push_back(keepPlace ? "stop, place kept" : "stop");
                           player.url.clear();
                       },
                       [] {}, [this](const std::string& text) { notices.push_back(text); },
                       [this](const std::string& text) { waiting.push_back(text); },
                       [this](const std::string& line) { trace.push_back(line); }}};

    static std::string Request(const std::string& id, const std::string& number) {
        return std::string(kPortal) + "h.asp?id=" + id + "&v=0&v1=" + number;
    }
    static EpisodePlay Episode(const std::string& id, const std::string& number, const std::string& address,
                               const std::string& kind = "qvod") {
        return {{id, "0", number, "T" + id}, "第" + number + "集", JsEscape(address), kind};
    }
    std::string FirstLine(const std::string& list) const {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{""})[0];
    }
    bool Shows(ControlName box) const { return controls.IsVisible({box}); }
    void ShowingThePagePlayer() {
        ASSERT_TRUE(plays.Start({TelevisionPlay{"新闻", "ch=1"}}));
        ASSERT_TRUE(Shows(ControlName::PagePlayerBox));
        ASSERT_FALSE(Shows(ControlName::PlayerBox));
    }
};

// A file handed over, dropped or opened by address while the page player
// shows plays in the player, which shows instead: not invisibly behind the page.
TEST_F(Plays, AFileWhileThePagePlayerShowsTakesThePlayersPlace) {
    folder.Write("a.mp4", "x");
    for (const std::string& item : {folder.File("a.mp4"), std::string("https://media.test/b.mp4")}) {
        ShowingThePagePlayer();
        ASSERT_TRUE(plays.Start({LocalFilePlay{item, "a"}}));
        EXPECT_EQ(player.url, item);
        EXPECT_TRUE(Shows(ControlName::PlayerBox)) << item;
        EXPECT_FALSE(Shows(ControlName::PagePlayerBox)) << item;
        EXPECT_EQ(pagePlayer.navigations.back(), "about:blank");
        EXPECT_FALSE(session.inPagePlayer);
        EXPECT_TRUE(statusTick->IsEnabled());
    }
}

// Each start writes its list's line once; a replayed row keeps its line, a
// refused item changes nothing and what plays goes on.
TEST_F(Plays, EachStartWritesItsLineOnceAndARefusalKeepsWhatPlays) {
    folder.Write("date.dat", "");
    ASSERT_TRUE(plays.Start({Episode("12", "0", "http://m/0.mp4")}));
    EXPECT_EQ(FirstLine("date.dat"), "12|T12|第0集|qvod|http%3A//m/0.mp4|0|0|0");
    session.lastPosition = 40;
    // The next episode of the same title replaces the title's line: its place is not written first.
    ASSERT_TRUE(plays.Start({Episode("12", "1", "http://m/1.mp4")}));
    EXPECT_EQ(stops, std::vector<std::string>{"stop"});
    EXPECT_EQ(FirstLine("date.dat"), "12|T12|第1集|qvod|http%3A//m/1.mp4|0|1|0");
    const std::string stored = folder.Read("date.dat");
    EXPECT_FALSE(plays.Start({Episode("15", "0", "av://lavfi:amovie=/etc/passwd")}));
    EXPECT_FALSE(plays.Start({LocalFilePlay{"/no/such/file.mp4", "x"}}));
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(folder.Read("date.dat"), stored);
    EXPECT_EQ(notices, (std::vector<std::string>{"无法播放：不支持的地址", "无法播放：文件不存在"}));
    ASSERT_TRUE(plays.Start({HistoryPlay{Episode("12", "1", "http://m/1.mp4")}, 95}));
    EXPECT_EQ(folder.Read("date.dat"), stored);  // the row is kept as it is
    EXPECT_EQ(player.position, 95);              // and plays from where it stopped
}

// A newer request wins over a look-up still under way: the late reply is
// dropped (and traced), the status line said what was awaited meanwhile.
TEST_F(Plays, ALateReplyNeverReplacesANewerChoice) {
    fetch.holdReplies = true;
    fetch.replies[Request("12", "0")] = "L$http://m/12.mp4$qvod";
    fetch.replies[Request("15", "3")] = "L$http://m/15.mp4$qvod";
    plays.LookUpAndPlay({"12", "0", "0", "A"});
    EXPECT_EQ(waiting, std::vector<std::string>{kSearchingText});
    plays.Start({TelevisionPlay{"新闻", "ch=1"}});
    fetch.Answer();
    EXPECT_TRUE(player.url.empty());
    EXPECT_TRUE(session.inPagePlayer);
    EXPECT_EQ(trace, std::vector<std::string>{"reply dropped " + Request("12", "0")});
    plays.Start({Episode("15", "2", "http://m/x.mp4")});
    plays.PlayAdjacentEpisode(1);
    plays.PlayAdjacentEpisode(1);  // pressed twice: one answer plays
    fetch.Answer(1);
    EXPECT_EQ(player.url, "http://m/15.mp4");
    EXPECT_EQ(waiting.back(), "");
    fetch.Answer();
    EXPECT_EQ(trace.size(), 2u);
}

// The portal's reply plays where its kind says: here the page player.
TEST_F(Plays, ALookedUpEpisodePlaysWhereItsKindSays) {
    folder.Write("date.dat", "");
    fetch.replies[Request("12", "0")] = "L$http://a b/c?d=1$flv";
    plays.LookUpAndPlay({"12", "0", "0", "N"});
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request("12", "0")});
    EXPECT_EQ(fetch.lastTimeout, 60);
    EXPECT_EQ(pagePlayer.navigations.back(), std::string(kPortal) + "play.htm?flv$$$" + JsEscape("http://a b/c?d=1"));
    EXPECT_TRUE(Shows(ControlName::PagePlayerBox));
    EXPECT_FALSE(Shows(ControlName::PlayerBox));
    EXPECT_EQ(FirstLine("date.dat"), "12|N|L|flv|" + JsEscape("http://a b/c?d=1") + "|0|0|0");
}

struct FailedReply {
    const char* name;
    std::optional<std::string> body;
    bool nothingFollows;  // the portal refused: no next episode either
};

class ResolveFailure : public Plays, public testing::WithParamInterface<FailedReply> {};

// A look-up that brings nothing to play says so and keeps what plays, and
// the address downloading ahead; a refusal leaves nothing to play on into.
TEST_P(ResolveFailure, KeepsTheCurrentPlayAndReports) {
    ASSERT_TRUE(plays.Start({Episode("12", "0", "http://m/0.mp4")}));
    player.calls.clear();
    session.next.Found(EpisodePlay{}, "http://m/kept.mp4");
    fetch.replies[Request("15", "2")] = GetParam().body;
    plays.LookUpAndPlay({"15", "0", "2", "X"});
    EXPECT_EQ(session.next.kind, GetParam().nothingFollows ? NextEpisode::Kind::None : NextEpisode::Kind::Ready);
    EXPECT_EQ(session.next.mediaAddress, "http://m/kept.mp4");
    EXPECT_EQ(controls.Text({ControlName::StatusLine}), "读取数据出错，请返回重试");
    EXPECT_EQ(tips, std::vector<std::string>{"读取数据出错，请返回重试！"});
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(player.url, "http://m/0.mp4");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "T12-第0集");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ResolveFailure,
    testing::Values(FailedReply{"PortalError", "1", true}, FailedReply{"NoEpisode", "0", true},
                    FailedReply{"PortalDown", std::nullopt, true}, FailedReply{"ErrorPage", "<html>500</html>", false},
                    FailedReply{"Empty", "", false}, FailedReply{"Huge", std::string(10 << 20, 'z'), false},
                    FailedReply{"Binary", std::string("\x00\xFF\xFE\x01", 4), false}),
    [](const auto& info) { return std::string(info.param.name); });

// The episodes before and after the playing one: nothing before the first
// or after the last; the title's whole name, dashes and all, goes on.
TEST_F(Plays, TheAdjacentEpisodes) {
    folder.Write("date.dat", "");
    ASSERT_TRUE(plays.Start({EpisodePlay{{"12", "0", "0", "Spider-Man 2"}, "第1集", "http%3A//m/0.mp4", "qvod"}}));
    fetch.requests.clear();
    plays.PlayAdjacentEpisode(-1);  // nothing before the first episode
    EXPECT_TRUE(fetch.requests.empty());
    fetch.replies[Request("12", "1")] = "第2集$http://m/1.mp4$qvod";
    plays.PlayAdjacentEpisode(1);
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request("12", "1")});
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "Spider-Man 2-第2集");
    EXPECT_EQ(FirstLine("date.dat"), "12|Spider-Man 2|第2集|qvod|http%3A//m/1.mp4|0|1|0");
    fetch.replies[Request("12", "2")] = "0";
    plays.PlayAdjacentEpisode(1);  // past the last: silently nothing
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(tips, std::vector<std::string>{});
}

// libmpv's other schemes read and write the user's files: an episode the
// portal names by one neither plays nor is stored, and what plays goes on.
TEST_F(Plays, OnlyWebAddressesFromThePortalPlay) {
    folder.Write("date.dat", "");
    ASSERT_TRUE(plays.Start({Episode("12", "0", "http://m/0.mp4")}));
    player.calls.clear();
    const std::string stored = folder.Read("date.dat");
    for (const std::string address : {"av://lavfi:amovie=/home/u/.ssh/id_rsa", "/etc/passwd", "http://m/a\r\nb.mp4"}) {
        fetch.replies[Request("12", "1")] = "第2集$" + address + "$qvod";
        plays.LookUpAndPlay({"12", "0", "1", "T12"});
        EXPECT_EQ(player.url, "http://m/0.mp4") << address;
        EXPECT_TRUE(player.calls.empty()) << address;
        EXPECT_EQ(notices.back(), "无法播放：不支持的地址") << address;
    }
    EXPECT_EQ(folder.Read("date.dat"), stored);
}

TEST_F(Plays, ClosingThePagePlayer) {
    ShowingThePagePlayer();
    plays.CloseWebPlayer();
    EXPECT_FALSE(Shows(ControlName::PagePlayerBox));
    EXPECT_TRUE(Shows(ControlName::PlayerBox));
    EXPECT_EQ(pagePlayer.navigations.back(), "about:blank");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "");
}

}  // namespace
}  // namespace ruvo
