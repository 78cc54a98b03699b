// The owner of what plays alone, on the ports' fakes, with the status
// monitor that tells it what the player reports: what each start shows,
// plays and stores, and in which order, and how late look-ups are treated.
#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/PartFixture.h"
#include "playback/Playback.h"

namespace ruvo {
namespace {

class Plays : public test::PartFixture {
protected:
    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay, [] {},
                               [this](const std::string& text) { tips.push_back(text); }, [] {}}};

    void SetUp() override { Follow(monitor); }
    static std::string Request(const std::string& id, const std::string& number) {
        return std::string(kPortalBase) + "h.asp?id=" + id + "&v=0&v1=" + number;
    }
    static EpisodePlay Episode(const std::string& id, const std::string& number, const std::string& address,
                               const std::string& kind = "qvod") {
        return {{id, "0", number, "T" + id}, "第" + number + "集", JsEscape(address), kind};
    }
    std::string FirstLine(const std::string& list) const {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{""})[0];
    }
    bool Shows(ControlName box) const { return controls.IsVisible({box}); }
    std::string Status() const { return controls.Text({ControlName::StatusLine}); }
    // The player shows the item's first frame at `position`, as libmpv reports it.
    void ShownAt(int position, int duration = 400) {
        player.state = PlayerState::Playing;
        player.position = position;
        player.duration = duration;
        player.Report(PlayerEvent::FirstFrame);
    }
    void ShowingThePagePlayer() {
        ASSERT_TRUE(playback.Start({TelevisionPlay{"新闻", "ch=1"}}));
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
        ASSERT_TRUE(playback.Start({LocalFilePlay{item, "a"}}));
        EXPECT_EQ(player.url, item);
        EXPECT_TRUE(Shows(ControlName::PlayerBox)) << item;
        EXPECT_FALSE(Shows(ControlName::PagePlayerBox)) << item;
        EXPECT_EQ(pagePlayer.navigations.back(), "about:blank");
        EXPECT_FALSE(session().inPagePlayer);
        EXPECT_TRUE(statusTick->IsEnabled());
    }
}

// An item is listed once it shows its picture, its place is stored when
// another takes its place, a replayed row keeps its line, and a refused
// item changes nothing while what plays goes on.
TEST_F(Plays, EachItemIsListedOnceItPlaysAndARefusalKeepsWhatPlays) {
    folder.Write("date.dat", "");
    ASSERT_TRUE(playback.Start({Episode("12", "0", "http://m/0.mp4")}));
    EXPECT_EQ(folder.Read("date.dat"), "");  // not before it plays
    ShownAt(0);
    EXPECT_EQ(FirstLine("date.dat"), "12|T12|第0集|qvod|http%3A//m/0.mp4|0|0|0");
    player.position = 40;
    timers.Advance(1000);
    ASSERT_TRUE(playback.Start({Episode("12", "1", "http://m/1.mp4")}));
    EXPECT_EQ(FirstLine("date.dat"), "12|T12|第0集|qvod|http%3A//m/0.mp4|0|0|40");
    ShownAt(0);
    EXPECT_EQ(FirstLine("date.dat"), "12|T12|第1集|qvod|http%3A//m/1.mp4|0|1|0");
    const std::string stored = folder.Read("date.dat");
    EXPECT_FALSE(playback.Start({Episode("15", "0", "av://lavfi:amovie=/etc/passwd")}));
    EXPECT_EQ(Status(), "无法播放：不支持的地址");
    EXPECT_FALSE(playback.Start({LocalFilePlay{"/no/such/file.mp4", "x"}}));
    EXPECT_EQ(Status(), "无法播放：文件不存在");
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(player.state, PlayerState::Playing);
    EXPECT_EQ(folder.Read("date.dat"), stored);
    ASSERT_TRUE(playback.Start({HistoryPlay{Episode("12", "1", "http://m/1.mp4")}, 95}));
    ShownAt(95);
    EXPECT_EQ(folder.Read("date.dat"), stored);  // the row is kept as it is
    EXPECT_EQ(player.position, 95);              // and plays from where it stopped
}

// An item that cannot be played is never listed, whatever its address, and
// its message stays with it: a request refused after it says its own, with
// neither the old name nor the old message coming back.
TEST_F(Plays, AnItemThatCannotPlayIsNeverListedAndItsMessageIsItsOwn) {
    folder.Write("date.dat", "");
    folder.Write("date_f.dat", "");
    for (const PlayRequest& request : {PlayRequest{LocalFilePlay{"http://m/404.mp4", "404.mp4"}},
                                       PlayRequest{Episode("12", "0", "http://m/404.mp4")}}) {
        ASSERT_TRUE(playback.Start(request));
        player.state = PlayerState::Idle;
        player.Report(PlayerEvent::Failed);
        timers.Advance(3000);
    }
    EXPECT_EQ(folder.Read("date.dat"), "");
    EXPECT_EQ(folder.Read("date_f.dat"), "");
    EXPECT_TRUE(tips.empty());  // no balloon unless the user wants balloons
    EXPECT_FALSE(playback.Start({LocalFilePlay{"/no/such/file.mp4", "file.mp4"}}));
    for (int second = 0; second < 4; ++second, timers.Advance(1000)) {
        EXPECT_EQ(Status(), "无法播放：文件不存在") << second;
        EXPECT_EQ(controls.Text({ControlName::TitleLine}), "") << second;
    }
    options.Set(Option::TrayBalloons, true);
    ASSERT_TRUE(playback.Start({LocalFilePlay{"http://m/404.mp4", "404.mp4"}}));
    player.Report(PlayerEvent::Failed);
    EXPECT_EQ(tips.size(), 1u);
}

// A newer request wins over a look-up still under way: the late reply is
// dropped (and traced), the status line said what was awaited meanwhile.
// Presses of next add up: two quick presses move two episodes.
TEST_F(Plays, ALateReplyNeverReplacesANewerChoiceAndPressesAddUp) {
    fetch.holdReplies = true;
    fetch.replies[Request("12", "0")] = "L$http://m/12.mp4$qvod";
    fetch.replies[Request("15", "4")] = "L$http://m/15-4.mp4$qvod";
    playback.LookUpAndPlay({"12", "0", "0", "A"});
    EXPECT_EQ(Status(), kSearchingText);
    timers.Advance(1000);
    EXPECT_EQ(Status(), kSearchingText);  // the tick keeps it while the portal answers
    playback.Start({TelevisionPlay{"新闻", "ch=1"}});
    fetch.Answer();
    EXPECT_TRUE(player.url.empty());
    EXPECT_TRUE(session().inPagePlayer);
    EXPECT_EQ(trace, std::vector<std::string>{"reply dropped " + Request("12", "0")});
    playback.Start({Episode("15", "2", "http://m/x.mp4")});
    playback.StepEpisode(1);
    playback.StepEpisode(1);  // pressed twice: two episodes on
    EXPECT_EQ(fetch.requests.back(), Request("15", "4"));
    fetch.Answer(1);
    EXPECT_EQ(player.url, "http://m/15-4.mp4");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "T15-L");
    fetch.Answer();
    EXPECT_EQ(trace.size(), 2u);
}

// The portal's reply plays where its kind says: here the page player.
TEST_F(Plays, ALookedUpEpisodePlaysWhereItsKindSays) {
    folder.Write("date.dat", "");
    fetch.replies[Request("12", "0")] = "L$http://a b/c?d=1$flv";
    playback.LookUpAndPlay({"12", "0", "0", "N"});
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request("12", "0")});
    EXPECT_EQ(fetch.lastTimeout, 60);
    EXPECT_EQ(pagePlayer.navigations.back(), std::string(kPortalBase) + "play.htm?flv$$$" + JsEscape("http://a b/c?d=1"));
    EXPECT_EQ(titlePagesShown, 1);
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
    ASSERT_TRUE(playback.Start({Episode("12", "0", "http://m/0.mp4")}));
    player.calls.clear();
    playback.LearnNext(Following(EpisodePlay{}, "http://m/kept.mp4"));
    fetch.replies[Request("15", "2")] = GetParam().body;
    playback.LookUpAndPlay({"15", "0", "2", "X"});
    EXPECT_EQ(session().next.kind, GetParam().nothingFollows ? NextEpisode::Kind::None : NextEpisode::Kind::Ready);
    EXPECT_EQ(session().next.mediaAddress, "http://m/kept.mp4");
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
    ASSERT_TRUE(playback.Start({EpisodePlay{{"12", "0", "0", "Spider-Man 2"}, "第1集", "http%3A//m/0.mp4", "qvod"}}));
    fetch.requests.clear();
    playback.StepEpisode(-1);  // nothing before the first episode
    EXPECT_TRUE(fetch.requests.empty());
    fetch.replies[Request("12", "1")] = "%u7B2C2%u96C6$http://m/1.mp4$qvod";  // the label as the portal escapes it
    playback.StepEpisode(1);
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request("12", "1")});
    ShownAt(0);
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "Spider-Man 2-第2集");
    EXPECT_EQ(FirstLine("date.dat"), "12|Spider-Man 2|第2集|qvod|http%3A//m/1.mp4|0|1|0");
    fetch.replies[Request("12", "2")] = "0";
    playback.StepEpisode(1);  // past the last: silently nothing
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(tips, std::vector<std::string>{});
}

// libmpv's other schemes read and write the user's files: an episode the
// portal names by one neither plays nor is stored, and what plays goes on.
TEST_F(Plays, OnlyWebAddressesFromThePortalPlay) {
    folder.Write("date.dat", "");
    ASSERT_TRUE(playback.Start({Episode("12", "0", "http://m/0.mp4")}));
    player.calls.clear();
    const std::string stored = folder.Read("date.dat");
    for (const std::string address : {"av://lavfi:amovie=/home/u/.ssh/id_rsa", "/etc/passwd", "http://m/a\r\nb.mp4"}) {
        fetch.replies[Request("12", "1")] = "第2集$" + address + "$qvod";
        playback.LookUpAndPlay({"12", "0", "1", "T12"});
        EXPECT_EQ(player.url, "http://m/0.mp4") << address;
        EXPECT_EQ(player.state, PlayerState::Playing) << address;
        EXPECT_EQ(Status(), "无法播放：不支持的地址") << address;
    }
    EXPECT_EQ(folder.Read("date.dat"), stored);
}

TEST_F(Plays, ClosingThePagePlayer) {
    ShowingThePagePlayer();
    playback.CloseWebPlayer();
    EXPECT_FALSE(Shows(ControlName::PagePlayerBox));
    EXPECT_TRUE(Shows(ControlName::PlayerBox));
    EXPECT_EQ(pagePlayer.navigations.back(), "about:blank");
    EXPECT_EQ(controls.Text({ControlName::TitleLine}), "");
}

}  // namespace
}  // namespace ruvo
