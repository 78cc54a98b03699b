// Episodes the portal names: its replies taken apart, and the next episode
// found ahead by the finder alone.
#include <gtest/gtest.h>

#include "fakes/PartFixture.h"
#include "fakes/WindowFixture.h"
#include "playback/NextEpisodeFinder.h"

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

}  // namespace
}  // namespace ruvo
