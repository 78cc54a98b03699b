#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/WindowFixture.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlayTime.h"
#include "shell/WindowLayout.h"

namespace ruvo {
namespace {

TEST(PlayTime, Formats) {
    EXPECT_EQ(FormatPlayTime(0), "00:00");
    EXPECT_EQ(FormatPlayTime(75), "01:15");
    EXPECT_EQ(FormatPlayTime(3599), "59:59");
    EXPECT_EQ(FormatPlayTime(3600), "1:00:00");
    EXPECT_EQ(FormatPlayTime(3725), "1:02:05");
    EXPECT_EQ(FormatPlayTime(-5), "00:00");
}

class Monitor : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
        controls.Move({ControlName::SeekTrack}, {0, 0, 412, 7});
        controls.Move({ControlName::SeekKnob}, {0, 0, 12, 7});
        controls.Move({ControlName::PlayerBox}, {0, 0, 500, 300});
    }
    void PlayingAt(int position, int duration) {
        player.url = "http://m/1.mp4";
        player.state = PlayerState::Playing;
        player.position = position;
        player.duration = duration;
    }
    void Tick() { timers.Advance(1000); }
    // The player shows the last frame, as libmpv keeps it.
    void AtTheEnd() {
        player.position = player.duration;
        player.state = PlayerState::Ended;
    }
    // The next episode as the look-up finds it: episode `number` of title 3.
    static EpisodePlay Next(const std::string& address, const std::string& number = "1") {
        return {{"3", "0", number, "T"}, "L", address, "qvod"};
    }
    // Episode 5 of title 12, downloaded whole, with the next one looked up
    // and played on; the portal's reply to that look-up. Returns its address.
    std::string PlayingTheLastEpisodeAt(int position, const std::string& reply) {
        Setting("s_h", "2");
        Setting("s_pao", "2");
        Session().episode = PortalEpisode{"12", "0", "4", "星河"};
        PlayingAt(position, 100);
        player.progress = 1000;
        const std::string request = std::string(test::kTestPortal) + "h.asp?id=12&v=0&v1=5";
        fetch.replies[request] = reply;
        return request;
    }
    // How often the status line has said the item played to its end.
    long Ends() const { return std::count(controls.statusLines.begin(), controls.statusLines.end(), "播放完毕"); }
};

TEST_F(Monitor, NothingLoadedReadsReady) {
    controls.SetText({ControlName::PlayTimes}, "untouched");
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
    EXPECT_EQ(Text(ControlName::PlayTimes), "untouched");
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
}

TEST_F(Monitor, BackgroundWorkShowsWhileNothingPlaysAndGivesWayToPlaying) {
    EXPECT_FALSE(controls.IsVisible({ControlName::StatusStrip}));
    window->ShowBackgroundWork("正在准备演示视频 3/20");
    EXPECT_EQ(Text(ControlName::StatusLine), "正在准备演示视频 3/20");
    EXPECT_TRUE(controls.IsVisible({ControlName::StatusStrip}));
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "正在准备演示视频 3/20");
    PlayingAt(5, 100);
    player.bitRate = 300;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");
    window->ShowBackgroundWork("正在准备演示视频 4/20");
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");  // the player's state keeps the line
    player.url.clear();
    window->ShowBackgroundWork("");
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
    EXPECT_TRUE(controls.IsVisible({ControlName::StatusStrip}));  // shown since the first play
}

TEST_F(Monitor, TheStatusStripShownForBackgroundWorkAloneHidesWhenItEnds) {
    window->ShowBackgroundWork("正在准备演示视频 1/2");
    Tick();
    window->ShowBackgroundWork("");
    EXPECT_FALSE(controls.IsVisible({ControlName::StatusStrip}));
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
}

TEST_F(Monitor, PlayingShowsTimeKnobAndBitRate) {
    PlayingAt(50, 100);
    player.bitRate = 364;
    player.progress = 500;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(364 Kbps)");
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:50 / 01:40");
    EXPECT_EQ(controls.Geometry({ControlName::SeekKnob}).left, 200);
    EXPECT_EQ(controls.Geometry({ControlName::DownloadedBar}).width, 206);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "暂停");
    EXPECT_EQ(Session().lastPosition, 50);
    player.speed = 120;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(120 Kbps/S)");
}

// Between two ticks the bar and the status line follow what the player reports.
TEST_F(Monitor, TheBarFollowsThePlayersEventsBetweenTicks) {
    PlayingAt(50, 100);
    Tick();
    player.position = 80;  // a seek by key: the time and knob move at once
    player.Report(PlayerEvent::SeekDone);
    EXPECT_EQ(Text(ControlName::PlayTimes), "01:20 / 01:40");
    EXPECT_EQ(controls.Geometry({ControlName::SeekKnob}).left, 320);

    player.state = PlayerState::Paused;  // paused from outside the program's bar
    player.Report(PlayerEvent::Paused);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    player.state = PlayerState::Playing;
    player.Report(PlayerEvent::Resumed);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "暂停");
    EXPECT_EQ(Text(ControlName::StatusLine), "正在播放");  // the bit rate is not known yet
    player.Report(PlayerEvent::BufferingStarted);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在缓冲 (0Kbps/S)");
    player.bitRate = 300;
    player.Report(PlayerEvent::BufferingEnded);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");
    player.state = PlayerState::Ended;  // the player's own end state leaves the button as it is
    Tick();
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "暂停");
    player.state = PlayerState::Playing;

    player.url.clear();  // nothing loaded: nothing to follow
    player.Report(PlayerEvent::Paused);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "暂停");
}

// The player pauses on its last frame by itself: the end of play, not the
// user, decides what the bar shows then.
TEST_F(Monitor, ThePauseOnTheLastFrameIsTheEnds) {
    PlayingAt(98, 100);
    Tick();
    AtTheEnd();
    player.Report(PlayerEvent::Paused);
    player.Report(PlayerEvent::EndOfFile);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "暂停");
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
    EXPECT_EQ(Ends(), 1);
}

// Sought to its very end just after a tick, the item ends two seconds after
// the player says so, not after the next tick and two seconds more.
TEST_F(Monitor, TheEndBeginsWhenThePlayerReachesIt) {
    PlayingAt(10, 100);
    Tick();
    AtTheEnd();
    player.Report(PlayerEvent::EndOfFile);
    EXPECT_TRUE(window->TimerOf(WindowTimer::EndOfPlay).IsEnabled());
    timers.Advance(2000);
    EXPECT_EQ(Ends(), 1);
    timers.Advance(5000);
    EXPECT_EQ(Ends(), 1);
}

// An item that has ended keeps its bar as the end left it; a window that
// changes size meanwhile still gets the knob where the end is on its track.
TEST_F(Monitor, AResizeAfterTheEndPutsTheKnobAtTheEndOfTheNewTrack) {
    PlayingAt(29, 30);
    Tick();
    AtTheEnd();
    timers.Advance(2000);
    ASSERT_EQ(Text(ControlName::StatusLine), "播放完毕");
    controls.Move({ControlName::PagePlayerBox}, {0, 0, 700, 400});  // the panel grows
    User().resized();
    const Rect track = controls.Geometry({ControlName::SeekTrack});
    const Rect knob = controls.Geometry({ControlName::SeekKnob});
    EXPECT_GT(track.width, 412);
    EXPECT_EQ(knob.left, track.width - knob.width);
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:30 / 00:30");
}

TEST_F(Monitor, ResumesOnceAtTheSavedPosition) {
    PlayingAt(0, 200);
    Session().resumeAt = 95;
    Tick();
    EXPECT_EQ(player.calls, std::vector<std::string>{"seek:95"});
    player.position = 10;  // the user seeks back
    Tick();
    EXPECT_EQ(player.calls.size(), 1u);
}

// Paused, the frozen picture stays in view; waiting for the network or at
// the end, the cover hides it. Only a playing item offers to pause.
TEST_F(Monitor, OnlyAPausedPictureStaysInView) {
    PlayingAt(5, 100);
    for (const PlayerState state : {PlayerState::Paused, PlayerState::Buffering, PlayerState::Stopped}) {
        player.state = state;
        Tick();
        EXPECT_EQ(Visible(ControlName::PlayerCover), state != PlayerState::Paused);
        EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
    }
}

TEST_F(Monitor, PreloadStartsOncePastSixHundredOnePerMille) {
    PlayingAt(5, 100);
    Session().next.Found(Next("http://m/2.mp4", "1"), "http://m/2.mp4");
    player.progress = 601;
    Tick();
    EXPECT_TRUE(player.calls.empty());
    player.progress = 602;
    Tick();
    Tick();
    EXPECT_EQ(player.calls, std::vector<std::string>{"preload:http://m/2.mp4"});
    EXPECT_EQ(tray.tips, std::vector<std::string>{"开始缓冲下一集！"});
}

TEST_F(Monitor, EndOfPlayHandsOverToTheNextEpisode) {
    PlayingAt(99, 100);
    Session().next.Found(Next("http://m/2.mp4"), "http://m/2.mp4");
    Tick();
    EXPECT_EQ(tray.tips, std::vector<std::string>{"正在准备播放下一集！"});
    EXPECT_TRUE(window->TimerOf(WindowTimer::EndOfPlay).IsEnabled());
    timers.Advance(2000);
    EXPECT_EQ(player.url, "http://m/2.mp4");
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());  // no link travels through the portal's pane
}

TEST_F(Monitor, EndOfPlayPlaysOnOnlyIntoAKnownEpisodeAndWhenAsked) {
    for (const auto nothing : {NextEpisode::Kind::RetryDue, NextEpisode::Kind::None, NextEpisode::Kind::Unknown}) {
        PlayingAt(99, 100);
        Session().next.Mark(nothing);
        Tick();
        timers.Advance(2000);
        EXPECT_EQ(player.url, "http://m/1.mp4") << static_cast<int>(nothing);
        EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    }
    Setting("s_bo", "1");  // the user plays the next episode by hand
    PlayingAt(99, 100);
    Session().next.Found(Next("http://m/2.mp4"), "http://m/2.mp4");
    Tick();
    timers.Advance(2000);
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_TRUE(window->TimerOf(WindowTimer::StatusTick).IsEnabled());
}

TEST_F(Monitor, PausedInTheLastSecondsTheEndWaitsForPlay) {
    Session().next.Found(Next("http://m/2.mp4"), "http://m/2.mp4");
    PlayingAt(99, 100);
    Tick();  // the end is due in two seconds
    player.state = PlayerState::Paused;
    timers.Advance(10000);
    EXPECT_EQ(player.url, "http://m/1.mp4");
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    player.state = PlayerState::Playing;  // played on: it ends as usual
    timers.Advance(3000);
    EXPECT_EQ(player.url, "http://m/2.mp4");
    EXPECT_TRUE(Web(Pane::PortalPage).navigations.empty());  // no link travels through the portal's pane
}

TEST_F(Monitor, EndWithoutBalloonsLeavesTheBarButStillEnds) {
    Setting("s_pao", "1");
    PlayingAt(99, 100);
    controls.SetText({ControlName::PlayTimes}, "kept");
    Tick();
    EXPECT_EQ(Text(ControlName::PlayTimes), "kept");
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(Session().resumeAt, 1);
    EXPECT_EQ(player.url, "http://m/1.mp4");  // no next episode known
}

// The player keeps the last frame at the end and reports the end as its
// position: nothing after the end-of-play tick may take that for a place to
// resume at, and the end runs once.
class EndedItem : public Monitor {
protected:
    void PlayToTheEnd() {
        Setting("s_bo", "1");  // nothing follows by itself
        Session().list = ItemList::WatchHistory;
        Session().listKey = "12";
        Session().next.Found(Next("http://m/2.mp4", "1"), "http://m/2.mp4");
        PlayingAt(99, 100);
        Tick();
        player.position = 100;
        player.state = PlayerState::Ended;
        timers.Advance(2000);
    }
};

TEST_F(EndedItem, ResumesAtOneHoweverLongItStaysEnded) {
    PlayToTheEnd();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    timers.Advance(10000);
    EXPECT_EQ(Session().lastPosition, 1);
    EXPECT_EQ(Session().resumeAt, 1);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 0}), "播放");
}

TEST_F(EndedItem, EndsOnceWithOneTip) {
    PlayToTheEnd();
    timers.Advance(10000);
    EXPECT_EQ(std::count(tray.tips.begin(), tray.tips.end(), "正在准备播放下一集！"), 1);
    EXPECT_EQ(Ends(), 1);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");  // not back to 播放结束
}

TEST_F(EndedItem, PlayingAgainEndsAgain) {
    PlayToTheEnd();
    PlayingAt(50, 100);  // replayed from the list or sought back
    Tick();
    EXPECT_EQ(Session().lastPosition, 50);
    PlayingAt(99, 100);
    Tick();
    timers.Advance(2000);
    EXPECT_EQ(Ends(), 2);
}

// Episodes of two seconds: the next one's first tick may already be within
// two seconds of its end. It is a new item all the same, and ends in turn.
TEST_F(Monitor, AShortNextEpisodeEndsInTurn) {
    PlayingAt(1, 2);
    Session().next.Found(Next("http://m/2.mp4", "1"), "http://m/2.mp4");
    Tick();
    timers.Advance(2000);
    ASSERT_EQ(player.url, "http://m/2.mp4");  // the next one plays
    player.position = 1;
    player.duration = 2;
    player.state = PlayerState::Playing;
    Session().next.Found(Next("http://m/3.mp4", "2"), "http://m/3.mp4");
    Tick();
    EXPECT_TRUE(window->TimerOf(WindowTimer::EndOfPlay).IsEnabled());
    timers.Advance(2000);
    EXPECT_EQ(Ends(), 2);
    EXPECT_EQ(player.url, "http://m/3.mp4");
}

// A look-up of the next episode that failed is made again after 100 s; when
// that finds it after the end, it plays on.
TEST_F(Monitor, ANextEpisodeFoundByTheRetryAfterTheEndPlaysOn) {
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
TEST_F(Monitor, NoNextEpisodeIsAskedAgainAtTheRetrysPaceAndStillPlaysOn) {
    const std::string request = PlayingTheLastEpisodeAt(40, "0");
    auto asked = [&] { return std::count(fetch.requests.begin(), fetch.requests.end(), request); };
    timers.Advance(60000);
    EXPECT_EQ(asked(), 1);
    PlayingAt(99, 100);
    timers.Advance(30000);  // the end, and a while after it
    EXPECT_EQ(asked(), 1);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    fetch.replies[request] = "第6集$http://m/6.mp4$qvod";
    timers.Advance(9000);  // 99 s after the first look-up
    EXPECT_EQ(asked(), 1);
    timers.Advance(2000);
    EXPECT_EQ(asked(), 2);
    EXPECT_EQ(player.url, "http://m/6.mp4");
    EXPECT_EQ(Session().item.label, "第6集");
}

TEST_F(Monitor, OddPlayerValuesNeverBreakTheBar) {
    PlayingAt(-5, 100);
    Tick();
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:00 / 01:40");
    PlayingAt(2147483647, 100);
    player.speed = 70000;  // beyond 16 bits: shown as the player's 16-bit figure
    player.progress = 5000;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine).rfind("播放中(", 0), 0u);
    PlayingAt(10, -1);
    Tick();
}

TEST_F(Monitor, DurationZeroKeepsTheKnobLeft) {
    PlayingAt(3, 0);
    Tick();
    EXPECT_EQ(controls.Geometry({ControlName::SeekKnob}).left, 0);
}

}  // namespace
}  // namespace ruvo
