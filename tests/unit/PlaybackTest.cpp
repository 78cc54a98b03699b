// The owner of what plays alone, on the ports' fakes, with the status
// monitor that tells it what the player reports: what each start shows,
// plays and stores, and in which order, and how late look-ups are treated.
#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/PagesFixture.h"
#include "fakes/PartFixture.h"
#include "playback/NextEpisodeFinder.h"
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

// The owner as the pages reach it and as the window wires the parts that
// ask it: links through the dispatcher, the player's reports through the
// status monitor, what follows through the next-episode finder.
class FromPages : public test::PagesFixture {
protected:
    std::unique_ptr<Timer> retry = timers.CreateTimer();
    NextEpisodeFinder finder{{lookup, playback, options, *retry, [this](const std::string& text) { tips.push_back(text); },
                              [this] { monitor.NextEpisodeFound(); }, [](const std::string&) {}}};
    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay, [] {},
                               [this](const std::string& text) { tips.push_back(text); }, [this] { finder.LookUp(); }}};

    void SetUp() override {
        for (const Option option : {Option::PreloadNext, Option::AutoPlayNext, Option::TrayBalloons})
            options.Set(option, true);  // as a first run stores them
        Follow(monitor);
        for (const char* list : {"date.dat", "date_f.dat"}) folder.Write(list, "\r\n");  // as the first run makes them
        view.SetVisible({ControlName::PagePlayerBox}, false);  // as the window opens
        retry->SetInterval(50000);
        retry->SetOnTick([this] { finder.RetryTick(); });
    }
    static std::string Request(int id, const std::string& v, const std::string& v1) {
        return std::string(kPortalBase) + "h.asp?id=" + std::to_string(id) + "&v=" + v + "&v1=" + v1;
    }
    // What plays reaches second `position` and the user stops it: a list
    // item keeps that place in its line.
    void StoppedAt(int position) {
        player.state = PlayerState::Playing;
        player.position = position;
        timers.Advance(1000);
        playback.Stop();
    }
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

TEST_F(FromPages, TelevisionLinkPlaysInThePagePlayer) {
    WriteList("date.dat", "12|t|e|qvod|http%3A//m/a.mp4|0|0|0\r\n");
    ASSERT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    player.state = PlayerState::Playing;
    player.position = 40;
    timers.Advance(1000);
    player.calls.clear();
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://news&&&ch=1/"));
    EXPECT_EQ(pagePlayer.navigations, std::vector<std::string>{std::string(kPortalBase) + "tv/eebotv.htm?ch=1"});
    EXPECT_EQ(Text(ControlName::TitleLine), "news");
    EXPECT_FALSE(Visible(ControlName::PlayerBox));
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));
    EXPECT_EQ(rightPanelShown, false);
    EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});
    EXPECT_EQ(ListLines("date.dat"), std::vector<std::string>{"12|t|e|qvod|http%3A//m/a.mp4|0|0|40"});  // the left item's place
    StoppedAt(70);
    EXPECT_EQ(ListLines("date.dat"), std::vector<std::string>{"12|t|e|qvod|http%3A//m/a.mp4|0|0|40"});  // a channel's place is kept nowhere
}

// A channel between two episodes: the title watched before is still the
// one previous and next step from; closed, the channel leaves nothing to play.
TEST_F(FromPages, AChannelLeavesTheTitleThatNextStepsFrom) {
    Playing(0);
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://news&&&ch=1/"));
    EXPECT_EQ(Text(ControlName::StatusLine), "已停止");
    playback.CloseWebPlayer();
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:00 / 00:00");
    EXPECT_EQ(Text(ControlName::TitleLine), "");
    player.calls.clear();
    playback.TogglePause();  // the episode the channel stopped is not the item shown
    EXPECT_TRUE(player.calls.empty());
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    playback.StepEpisode(1);
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第2集");
}

TEST_F(FromPages, EpisodeLinkResolvesAndPlaysWithItsChineseName) {
    fetch.replies[std::string(kPortalBase) + "h.asp?id=12&v=0&v1=0"] = "第1集$http://m/海 1.mp4$qvod";
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eebovod://12-0-0-海贼王"));
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());  // played at once, not as a link through the pane
    EXPECT_EQ(player.url, "http://m/海 1.mp4");
    EXPECT_EQ(player.calls, std::vector<std::string>{"play"});
    EXPECT_EQ(Text(ControlName::TitleLine), "海贼王-第1集");
    player.Report(PlayerEvent::FirstFrame);  // listed once it plays
    ASSERT_FALSE(ListLines("date.dat").empty());
    EXPECT_EQ(ListLines("date.dat")[0], "12|海贼王|第1集|qvod|" + JsEscape("http://m/海 1.mp4") + "|0|0|0");
    StoppedAt(30);
    EXPECT_EQ(ListLines("date.dat")[0], "12|海贼王|第1集|qvod|" + JsEscape("http://m/海 1.mp4") + "|0|0|30");
}

TEST_F(FromPages, PagePlayerKindPlaysInWeb2AndListsTheTitle) {
    ASSERT_TRUE(statusTick->IsEnabled());
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eeqvod://html5&&&http%3A//m/a.webm&&&%u661F&&&%u7B2C2%u96C6&&&12&&&1&&&1/"));
    EXPECT_EQ(pagePlayer.navigations.back(), std::string(kPortalBase) + "play.htm?html5$$$http%3A//m/a.webm");
    EXPECT_FALSE(statusTick->IsEnabled());
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(ListLines("date.dat")[0], "12|星|第2集|html5|http%3A//m/a.webm|1|1|0");
}

TEST_F(FromPages, OpenLinkReplaysAHistoryItemWhereItWasLeft) {
    WriteList("date.dat", "\r\n12|星河|%u7B2C3%u96C6|qvod|http%3A//m/3.mp4|0|2|95\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://2"));
    EXPECT_EQ(player.url, "http://m/3.mp4");
    EXPECT_EQ(player.position, 95);
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第3集");
    EXPECT_EQ(Web(Pane::SidePage).navigations.back(), std::string(kPortalBase) + "show.asp?id=12");
    EXPECT_EQ(titlePagesShown, 1);
    EXPECT_TRUE(Visible(ControlName::PlayerBox));
    EXPECT_FALSE(Visible(ControlName::PagePlayerBox));
    EXPECT_EQ(ListLines("date.dat").size(), 2u);                                  // a replay adds no record
    StoppedAt(120);
    EXPECT_EQ(ListLines("date.dat").back(), "12|星河|%u7B2C3%u96C6|qvod|http%3A//m/3.mp4|0|2|120");
    playback.StepEpisode(1);  // the episode after it
    EXPECT_EQ(fetch.requests.back(), std::string(kPortalBase) + "h.asp?id=12&v=0&v1=3");
}

// A row stored before addresses were checked may hold what a portal sent.
TEST_F(FromPages, ListRowsPlayOnlyWebAddressesAndFiles) {
    WriteList("date.dat", "12|星河|e|qvod|av%3A//lavfi%3Aamovie%3D/etc/passwd|0|2|95\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址");
    EXPECT_EQ(ListLines("date.dat").size(), 1u);
    // A web address among the local files plays; an address of another kind
    // neither plays nor goes.
    WriteList("date_f.dat", "live|http://m/live|7\r\nx|av://lavfi:x|0\r\n");
    localListLast = true;
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://2"));
    EXPECT_TRUE(player.url.empty());
    EXPECT_EQ(ListLines("date_f.dat").size(), 2u);
    EXPECT_TRUE(dialogs.notices.empty());
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://1"));
    EXPECT_EQ(player.url, "http://m/live");
    EXPECT_EQ(player.position, 7);
}

TEST_F(FromPages, OpenLinkOfAPagePlayerItemUsesWeb2) {
    WriteList("date.dat", "12|星河|e|html5|http%3A//m/a.webm|1|0|0\r\n");
    EXPECT_TRUE(PageNavigates(Pane::HistoryList, "open://1"));
    EXPECT_EQ(pagePlayer.navigations.back(), std::string(kPortalBase) + "play.htm?html5$$$http%3A//m/a.webm");
    EXPECT_FALSE(Visible(ControlName::PlayerBox));
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));
}

TEST_F(FromPages, OpenLinkOfALocalFile) {
    folder.Write("movie.mkv", "x");
    WriteList("date_f.dat", "movie.mkv|" + folder.File("movie.mkv") + "|61\r\ngone.mkv|/no/such/gone.mkv|0\r\n");
    localListLast = true;
    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://1"));
    EXPECT_EQ(player.url, folder.File("movie.mkv"));
    EXPECT_EQ(player.position, 61);
    StoppedAt(90);
    EXPECT_EQ(ListLines("date_f.dat")[0], "movie.mkv|" + folder.File("movie.mkv") + "|90");
    playback.StepEpisode(1);  // a file is no episode
    EXPECT_TRUE(fetch.requests.empty());

    EXPECT_TRUE(PageNavigates(Pane::LocalList, "open://2/"));
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "/no/such/gone.mkv不存在");
    EXPECT_EQ(ListLines("date_f.dat").size(), 1u);
}

// While the portal is asked, the status line says so at every tick and a
// page's navigation acts at once. (The play service's own test drives which
// reply wins.)
TEST_F(FromPages, LookUpsNeverHoldTheWindow) {
    fetch.holdReplies = true;
    fetch.replies[Request(12, "0", "0")] = "L$http://m/12.mp4$qvod";
    PageNavigates(Pane::PortalPage, "eebovod://12-0-0-N");
    EXPECT_TRUE(PageNavigates(Pane::SidePage, std::string(kPortalBase) + "search.asp?searchword=x"));
    EXPECT_EQ(Web(Pane::SearchResults).navigations.size(), 1u);  // at once
    timers.Advance(3000);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在搜索资源，请稍后");
    fetch.Answer();
    EXPECT_EQ(player.url, "http://m/12.mp4");
}

TEST_F(FromPages, PlayStartStopsAndRecordsTheItemLeft) {
    Playing(0);
    player.position = 33;
    timers.Advance(1000);
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    playback.StepEpisode(1);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    // Once it plays, the new episode replaces the title's record, at the top with position 0.
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|星河|第2集|qvod|http%3A//m/1.mp4|0|1|0");
}

// A look-up of the next episode that failed is made again after 100 s; when
// that finds it after the end, it plays on.
TEST_F(FromPages, ANextEpisodeFoundByTheRetryAfterTheEndPlaysOn) {
    const std::string request = PlayingTheLastEpisodeAt(99, "<html>busy</html>");
    timers.Advance(20000);  // the end, and a while after it
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(tips, std::vector<std::string>{"读取下一集数据出错，稍后将重新读取！"});
    fetch.replies[request] = "第6集$http://m/6.mp4$qvod";
    timers.Advance(90000);
    EXPECT_EQ(player.url, "http://m/6.mp4");
    EXPECT_EQ(Text(ControlName::TitleLine), "星河-第6集");
}

// On the last episode the portal answers "0": asked again at the retry's
// pace (100 s), not at every tick; a series that gains an episode meanwhile
// plays on, even after the end.
TEST_F(FromPages, NoNextEpisodeIsAskedAgainAtTheRetrysPaceAndStillPlaysOn) {
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
