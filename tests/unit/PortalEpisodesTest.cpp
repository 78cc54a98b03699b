#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/TextFile.h"
#include "fakes/WindowFixture.h"
#include "playback/NextEpisodeFinder.h"
#include "playback/PlayService.h"

namespace ruvo {
namespace {

using test::kTestPortal;

std::string Request(int id, const std::string& v, const std::string& v1) {
    return std::string(kTestPortal) + "h.asp?id=" + std::to_string(id) + "&v=" + v + "&v1=" + v1;
}

class Episodes : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
    PlayService& plays() { return window->Plays(); }
    void LookUpNext() { window->NextEpisodes().LookUp(); }
    // A portal title playing: episode v1 of title 12, source 0.
    void Playing(int v1, const std::string& name = "星河") {
        fetch.replies[Request(12, "0", std::to_string(v1))] = "第" + std::to_string(v1 + 1) + "集$http://m/" +
                                                              std::to_string(v1) + ".mp4$qvod";
        PageNavigates(Pane::PortalPage, "eebovod://12-0-" + std::to_string(v1) + "-" + name);
        fetch.requests.clear();
        player.calls.clear();
        for (auto& pane : panes) pane.navigations.clear();
    }
};

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
    const char* status;
    bool nothingFollows;  // the next episode is marked as none; else kept
    bool trayTip;
};

class ResolveFailure : public Episodes, public testing::WithParamInterface<FailedReply> {};

TEST_P(ResolveFailure, KeepsTheCurrentPlayAndReports) {
    Playing(0);
    Session().next.Found(EpisodePlay{}, "http://m/kept.mp4");
    fetch.replies[Request(15, "0", "2")] = GetParam().body;
    PageNavigates(Pane::PortalPage, "eebovod://15-0-2-X");
    EXPECT_EQ(Text(ControlName::StatusLine), GetParam().status);
    EXPECT_EQ(Session().next.kind, GetParam().nothingFollows ? NextEpisode::Kind::None : NextEpisode::Kind::Ready);
    EXPECT_EQ(Session().next.mediaAddress, "http://m/kept.mp4");  // the preload's part stays
    EXPECT_EQ(tray.tips.size(), GetParam().trayTip ? 1u : 0u);
    if (GetParam().trayTip) {
        EXPECT_EQ(tray.tips[0], "读取数据出错，请返回重试！");
    }
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(player.url, "http://m/0.mp4");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ResolveFailure,
    testing::Values(FailedReply{"PortalError", "1", "读取数据出错，请返回重试", true, true},
                    FailedReply{"NoEpisode", "0", "读取数据出错，请返回重试", true, true},
                    FailedReply{"PortalDown", std::nullopt, "读取数据出错，请返回重试", true, true},
                    FailedReply{"ErrorPage", "<html>500</html>", "读取数据出错，请返回重试", false, true},
                    FailedReply{"Empty", "", "读取数据出错，请返回重试", false, true},
                    FailedReply{"Huge", std::string(10 << 20, 'z'), "读取数据出错，请返回重试", false, true},
                    FailedReply{"Binary", std::string("\x00\xFF\xFE\x01", 4), "读取数据出错，请返回重试", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Episodes, PreviousAndNextEpisode) {
    Playing(0);
    plays().PlayAdjacentEpisode(-1);  // nothing before the first episode
    EXPECT_TRUE(fetch.requests.empty());
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    plays().PlayAdjacentEpisode(1);
    EXPECT_EQ(fetch.requests, std::vector<std::string>{Request(12, "0", "1")});
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(Session().episode, (PortalEpisode{"12", "0", "1", "星河"}));
    fetch.replies[Request(12, "0", "2")] = "0";
    plays().PlayAdjacentEpisode(1);  // past the last: silently nothing
    EXPECT_EQ(player.url, "http://m/1.mp4");
}

// The look-up link "eebovod://id-v-v1-name" is taken apart at its dashes.
TEST_F(Episodes, LookUpLinkNameIsCutAtItsFirstDash) {
    Playing(0, "城市-夜色");
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    plays().PlayAdjacentEpisode(1);
    EXPECT_EQ(Session().episode->name, "城市");
    EXPECT_EQ(Text(ControlName::TitleLine), "城市-第2集");
}

// A play link carries the whole name: the episodes before and after it keep
// it, dashes and all, in their links, title line and watch history.
TEST_F(Episodes, PlayLinkNameKeepsItsDashesIntoTheNextEpisode) {
    PageNavigates(Pane::PortalPage, "eeqvod://qvod&&&http%3A//m/0.mp4&&&Spider-Man%202&&&第1集&&&12&&&0&&&0");
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    LookUpNext();
    EXPECT_EQ(Session().next.play.episode, (PortalEpisode{"12", "0", "1", "Spider-Man 2"}));
    EXPECT_EQ(Session().next.play.label, "第2集");
    plays().PlayAdjacentEpisode(1);
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|Spider-Man 2|第2集|qvod|http%3A//m/1.mp4|0|1|0");
    EXPECT_EQ(Text(ControlName::TitleLine), "Spider-Man 2-第2集");
}

TEST_F(Episodes, NextEpisodeFetch) {
    Playing(0);
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$html5";
    LookUpNext();
    EXPECT_EQ(Session().next.mediaAddress, "http://m/1.mp4");
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::Ready);
    EXPECT_EQ(Session().next.play.kind, "qvod");  // always the player, whatever the reply says

    fetch.replies[Request(12, "0", "1")] = "1";
    LookUpNext();
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::None);
    EXPECT_EQ(Session().next.media, NextEpisode::Media::None);
    fetch.replies[Request(12, "0", "1")] = "0";
    LookUpNext();
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::Unknown);
    EXPECT_EQ(Session().next.media, NextEpisode::Media::Unknown);
    EXPECT_TRUE(Session().next.preloadStarted);  // asked again with the retry, not by the preload

    Setting("s_h", "1");
    fetch.requests.clear();
    Session().next.Found(EpisodePlay{}, "http://m/x.mp4");
    LookUpNext();
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::Unknown);
    EXPECT_TRUE(fetch.requests.empty());
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
    player.state = PlayerState::Playing;
    timers.Advance(1000);  // the status tick of what plays leaves the notice its time
    EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址");
    // Nor does it follow as the next episode, or download ahead.
    fetch.replies[Request(12, "0", "1")] = "第2集$av://lavfi:x$qvod";
    LookUpNext();
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::None);
    EXPECT_EQ(Session().next.media, NextEpisode::Media::None);
}

TEST_F(Episodes, FailedNextFetchIsRetriedAfterHundredSeconds) {
    Playing(0);
    fetch.replies[Request(12, "0", "1")] = "<html>busy</html>";
    LookUpNext();
    EXPECT_EQ(Session().next.kind, NextEpisode::Kind::RetryDue);
    EXPECT_TRUE(Session().next.preloadStarted);
    EXPECT_EQ(tray.tips, std::vector<std::string>{"读取下一集数据出错，稍后将重新读取！"});
    EXPECT_TRUE(window->TimerOf(WindowTimer::NextEpisodeRetry).IsEnabled());
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    timers.Advance(6'000);  // the update check's one fetch
    fetch.requests.clear();
    timers.Advance(93'000);
    EXPECT_TRUE(fetch.requests.empty());
    timers.Advance(1'000);
    EXPECT_EQ(fetch.requests, std::vector{Request(12, "0", "1")});
    EXPECT_EQ(Session().next.mediaAddress, "http://m/1.mp4");
    EXPECT_FALSE(Session().next.preloadStarted);
    EXPECT_FALSE(window->TimerOf(WindowTimer::NextEpisodeRetry).IsEnabled());
}

TEST_F(Episodes, PlayStartStopsAndRecordsTheItemLeft) {
    Playing(0);
    Session().lastPosition = 33;
    fetch.replies[Request(12, "0", "1")] = "第2集$http://m/1.mp4$qvod";
    plays().PlayAdjacentEpisode(1);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    // The new episode replaced the title's record, at the top with position 0.
    EXPECT_EQ(ReadTextFileLines(folder.File("date.dat")).value()[0], "12|星河|第2集|qvod|http%3A//m/1.mp4|0|1|0");
}

TEST_F(Episodes, ClosingThePagePlayer) {
    PageNavigates(Pane::PortalPage, "eeqvod://html5&&&x&&&N&&&L&&&12&&&1&&&0");
    plays().CloseWebPlayer();
    EXPECT_FALSE(Visible(ControlName::PagePlayerBox));
    EXPECT_TRUE(Visible(ControlName::PlayerBox));
    EXPECT_EQ(Web(Pane::PagePlayer).navigations.back(), "about:blank");
    EXPECT_EQ(Text(ControlName::TitleLine), "");
    EXPECT_TRUE(Session().inPagePlayer);
}

}  // namespace
}  // namespace ruvo
