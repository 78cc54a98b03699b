// The play-status monitor alone, on the ports' fakes: what its ticks and the
// player's reports show in the bar, when an item ends and what plays on.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/PartFixture.h"
#include "playback/PlayTime.h"

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

class Monitor : public test::PartFixture {
protected:
    int lookUps = 0;
    std::vector<std::string> playedOn;  // the next episodes played, by label
    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay, [] {},
                               [this](const std::string& text) { tips.push_back(text); }, [this] { ++lookUps; }}};

    void SetUp() override {
        for (const Option option : {Option::PreloadNext, Option::AutoPlayNext, Option::TrayBalloons})
            options.Set(option, true);  // as a first run stores them
        view.SetVisible({ControlName::StatusStrip}, false);  // as the window opens
        Follow(monitor);
        playback.Subscribe([this, item = 0](const PlayerArea&, const PlayerArea&) mutable {
            if (playback.ItemNumber() == item) return;
            item = playback.ItemNumber();
            if (!playback.Session().item.label.empty()) playedOn.push_back(playback.Session().item.label);
        });
    }
    // What the play/pause button offers: true = pause.
    bool PlayLook() const { return playback.Area().playing; }
    // Episode 0 of title 12 plays (started once, from `resumeAt`).
    void PlayingAt(int position, int duration, int resumeAt = 0) {
        if (player.url.empty()) {
            playback.Start({EpisodePlay{{"12", "0", "0", "T"}, "", "http://m/1.mp4", "qvod"}, resumeAt});
            player.calls.clear();
        }
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
        return {{"3", "0", number, "T"}, "第" + number + "集", address, "qvod"};
    }
    // How often the status line has said the item played to its end.
    long Ends() const { return std::count(controls.statusLines.begin(), controls.statusLines.end(), "播放完毕"); }
};

TEST_F(Monitor, NothingLoadedReadsReady) {
    controls.SetText({ControlName::PlayTimes}, "untouched");
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
    EXPECT_EQ(Text(ControlName::PlayTimes), "untouched");
    EXPECT_EQ(PlayLook(), false);
}

TEST_F(Monitor, BackgroundWorkShowsWhileNothingPlaysAndGivesWayToPlaying) {
    EXPECT_FALSE(Visible(ControlName::StatusStrip));
    monitor.ShowBackgroundWork("正在准备演示视频 3/20");
    EXPECT_EQ(Text(ControlName::StatusLine), "正在准备演示视频 3/20");
    EXPECT_TRUE(Visible(ControlName::StatusStrip));
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "正在准备演示视频 3/20");
    PlayingAt(5, 100);
    player.bitRate = 300;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");
    monitor.ShowBackgroundWork("正在准备演示视频 4/20");
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");  // the player's state keeps the line
    player.url.clear();
    monitor.ShowBackgroundWork("");
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
    EXPECT_TRUE(Visible(ControlName::StatusStrip));  // shown since the first play
}

TEST_F(Monitor, TheStatusStripShownForBackgroundWorkAloneHidesWhenItEnds) {
    monitor.ShowBackgroundWork("正在准备演示视频 1/2");
    Tick();
    monitor.ShowBackgroundWork("");
    EXPECT_FALSE(Visible(ControlName::StatusStrip));
    EXPECT_EQ(Text(ControlName::StatusLine), "准备就绪");
}

TEST_F(Monitor, PlayingShowsTimeKnobAndBitRate) {
    PlayingAt(50, 100);
    player.bitRate = 364;
    player.progress = 500;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(364 Kbps)");
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:50 / 01:40");
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).slider, (SliderValue{50, 100}));
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).downloadedPerMille, 500);
    EXPECT_EQ(controls.Tooltip({ControlName::SeekKnob}), "00:50");
    EXPECT_EQ(PlayLook(), true);
    EXPECT_EQ(session().lastPosition, 50);
    player.speed = 120;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(120 Kbps/S)");
}

// The first frame lifts the cover at once, with the bar and the time of the
// place it shows (a resumed one too), not at the next tick.
TEST_F(Monitor, TheFirstFrameShowsAtOnce) {
    PlayingAt(95, 100);
    view.SetVisible({ControlName::PlayerCover}, true);
    view.SetVisible({ControlName::NextEpisodeNotice}, true);
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_FALSE(Visible(ControlName::PlayerCover));
    EXPECT_FALSE(Visible(ControlName::NextEpisodeNotice));
    EXPECT_EQ(Text(ControlName::PlayTimes), "01:35 / 01:40");
    EXPECT_EQ(PlayLook(), true);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在播放");  // the bit rate is not known yet
    fetch.holdReplies = true;
    playback.LookUpAndPlay({"12", "0", "1", "T"});
    player.Report(PlayerEvent::FirstFrame);  // what is awaited keeps the line
    EXPECT_EQ(Text(ControlName::StatusLine), "正在搜索资源，请稍后");
}

// Between two ticks the bar and the status line follow what the player reports.
TEST_F(Monitor, TheBarFollowsThePlayersEventsBetweenTicks) {
    PlayingAt(50, 100);
    Tick();
    player.position = 80;  // a seek by key: the time and knob move at once
    player.Report(PlayerEvent::SeekDone);
    EXPECT_EQ(Text(ControlName::PlayTimes), "01:20 / 01:40");
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).slider, (SliderValue{80, 100}));
    player.position = 81;  // each new second of the picture, not the next tick
    player.Report(PlayerEvent::PositionChanged);
    EXPECT_EQ(Text(ControlName::PlayTimes), "01:21 / 01:40");

    player.state = PlayerState::Paused;  // paused from outside the program's bar
    player.Report(PlayerEvent::Paused);
    EXPECT_EQ(PlayLook(), false);
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    player.state = PlayerState::Playing;
    player.Report(PlayerEvent::Resumed);
    EXPECT_EQ(PlayLook(), true);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在播放");  // the bit rate is not known yet
    player.Report(PlayerEvent::BufferingStarted);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在缓冲 (0Kbps/S)");
    player.bitRate = 300;
    player.Report(PlayerEvent::BufferingEnded);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(300 Kbps)");
    player.state = PlayerState::Ended;  // the player's own end state leaves the button as it is
    Tick();
    EXPECT_EQ(PlayLook(), true);
    player.state = PlayerState::Playing;

    player.url.clear();  // nothing loaded: nothing to follow
    player.Report(PlayerEvent::Paused);
    EXPECT_EQ(PlayLook(), true);
}

// The player pauses on its last frame by itself: the end of play, not the
// user, decides what the bar shows then.
TEST_F(Monitor, ThePauseOnTheLastFrameIsTheEnds) {
    PlayingAt(98, 100);
    Tick();
    AtTheEnd();
    player.Report(PlayerEvent::Paused);
    player.Report(PlayerEvent::EndOfFile);
    EXPECT_EQ(PlayLook(), true);
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(PlayLook(), false);
    EXPECT_EQ(Ends(), 1);
}

// Sought to its very end just after a tick, the item ends two seconds after
// the player says so, not after the next tick and two seconds more.
TEST_F(Monitor, TheEndBeginsWhenThePlayerReachesIt) {
    PlayingAt(10, 100);
    Tick();
    AtTheEnd();
    player.Report(PlayerEvent::EndOfFile);
    timers.Advance(1999);
    EXPECT_EQ(Ends(), 0);
    timers.Advance(1);
    EXPECT_EQ(Ends(), 1);
    timers.Advance(5000);
    EXPECT_EQ(Ends(), 1);
}

// An item that has ended keeps its bar at the end.
TEST_F(Monitor, AnEndedItemKeepsItsBarAtTheEnd) {
    PlayingAt(29, 30);
    Tick();
    AtTheEnd();
    timers.Advance(2000);
    ASSERT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).slider, (SliderValue{30, 30}));
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:30 / 00:30");
}

TEST_F(Monitor, ResumesOnceAtTheSavedPosition) {
    PlayingAt(0, 200, 95);
    player.position = 0;  // the stream started earlier than asked
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
        EXPECT_EQ(PlayLook(), false);
    }
}

TEST_F(Monitor, PreloadStartsOncePastSixHundredOnePerMille) {
    PlayingAt(5, 100);
    playback.LearnNext(Following(Next("http://m/2.mp4", "1"), "http://m/2.mp4"));
    player.progress = 601;
    Tick();
    EXPECT_TRUE(player.calls.empty());
    player.progress = 602;
    Tick();
    Tick();
    EXPECT_EQ(player.calls, std::vector<std::string>{"preload:http://m/2.mp4"});
    EXPECT_EQ(tips, std::vector<std::string>{"开始缓冲下一集！"});
}

TEST_F(Monitor, EndOfPlayHandsOverToTheNextEpisode) {
    PlayingAt(99, 100);
    playback.LearnNext(Following(Next("http://m/2.mp4"), "http://m/2.mp4"));
    Tick();
    EXPECT_EQ(tips, std::vector<std::string>{"正在准备播放下一集！"});
    timers.Advance(1999);
    EXPECT_TRUE(playedOn.empty());
    timers.Advance(1);
    EXPECT_EQ(playedOn, std::vector<std::string>{"第1集"});
}

TEST_F(Monitor, EndOfPlayPlaysOnOnlyIntoAKnownEpisodeAndWhenAsked) {
    for (const auto nothing : {NextEpisode::Kind::RetryDue, NextEpisode::Kind::None, NextEpisode::Kind::Unknown}) {
        PlayingAt(99, 100);
        playback.LearnNext(Following(nothing));
        Tick();
        timers.Advance(2000);
        EXPECT_TRUE(playedOn.empty()) << static_cast<int>(nothing);
        EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    }
    options.Set(Option::AutoPlayNext, false);  // the user plays the next episode by hand
    PlayingAt(99, 100);
    playback.LearnNext(Following(Next("http://m/2.mp4"), "http://m/2.mp4"));
    Tick();
    timers.Advance(2000);
    EXPECT_TRUE(playedOn.empty());
    EXPECT_TRUE(statusTick->IsEnabled());
}

// An item that ended with nothing known to follow waits; a next episode
// found then plays on (when the user wants that), found before the end it
// waits for the end.
TEST_F(Monitor, ANextEpisodeFoundAfterTheEndPlaysOn) {
    PlayingAt(99, 100);
    player.Report(PlayerEvent::EndOfFile);
    playback.LearnNext(Following(Next("http://m/2.mp4", "2"), "http://m/2.mp4"));
    monitor.NextEpisodeFound();
    EXPECT_TRUE(playedOn.empty());  // the end of play is still to come
    playback.LearnNext({});
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_TRUE(playedOn.empty());
    playback.LearnNext(Following(Next("http://m/2.mp4", "2"), "http://m/2.mp4"));
    monitor.NextEpisodeFound();
    EXPECT_EQ(playedOn, std::vector<std::string>{"第2集"});
    EXPECT_TRUE(Visible(ControlName::NextEpisodeNotice));
}

TEST_F(Monitor, PausedInTheLastSecondsTheEndWaitsForPlay) {
    PlayingAt(99, 100);
    playback.LearnNext(Following(Next("http://m/2.mp4"), "http://m/2.mp4"));
    Tick();  // the end is due in two seconds
    player.state = PlayerState::Paused;
    timers.Advance(10000);
    EXPECT_TRUE(playedOn.empty());
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    player.state = PlayerState::Playing;  // played on: it ends as usual
    timers.Advance(3000);
    EXPECT_EQ(playedOn, std::vector<std::string>{"第1集"});
}

TEST_F(Monitor, EndWithoutBalloonsLeavesTheBarButStillEnds) {
    options.Set(Option::TrayBalloons, false);
    PlayingAt(99, 100);
    controls.SetText({ControlName::PlayTimes}, "kept");
    Tick();
    EXPECT_EQ(Text(ControlName::PlayTimes), "kept");
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_EQ(session().resumeAt, 1);
    EXPECT_TRUE(playedOn.empty());  // no next episode known
}

// The player keeps the last frame at the end and reports the end as its
// position: nothing after the end-of-play tick may take that for a place to
// resume at, and the end runs once.
class EndedItem : public Monitor {
protected:
    void PlayToTheEnd() {
        options.Set(Option::AutoPlayNext, false);  // nothing follows by itself
        PlayingAt(99, 100);
        playback.LearnNext(Following(Next("http://m/2.mp4", "1"), "http://m/2.mp4"));
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
    EXPECT_EQ(session().lastPosition, 1);
    EXPECT_EQ(session().resumeAt, 1);
    EXPECT_EQ(PlayLook(), false);
}

TEST_F(EndedItem, EndsOnceWithOneTip) {
    PlayToTheEnd();
    timers.Advance(10000);
    EXPECT_EQ(std::count(tips.begin(), tips.end(), "正在准备播放下一集！"), 1);
    EXPECT_EQ(Ends(), 1);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");  // not back to 播放结束
}

TEST_F(EndedItem, PlayingAgainEndsAgain) {
    PlayToTheEnd();
    PlayingAt(50, 100);  // replayed from the list or sought back
    Tick();
    EXPECT_EQ(session().lastPosition, 50);
    PlayingAt(99, 100);
    Tick();
    timers.Advance(2000);
    EXPECT_EQ(Ends(), 2);
}

// Episodes of two seconds: the next one's first tick may already be within
// two seconds of its end. It is a new item all the same, and ends in turn.
TEST_F(Monitor, AShortNextEpisodeEndsInTurn) {
    PlayingAt(1, 2);
    playback.LearnNext(Following(Next("http://m/2.mp4", "1"), "http://m/2.mp4"));
    Tick();
    timers.Advance(2000);
    ASSERT_EQ(player.url, "http://m/2.mp4");  // the next one plays
    player.position = 1;
    player.duration = 2;
    player.state = PlayerState::Playing;
    playback.LearnNext(Following(Next("http://m/3.mp4", "2"), "http://m/3.mp4"));
    Tick();
    timers.Advance(2000);
    EXPECT_EQ(Ends(), 2);
    EXPECT_EQ(playedOn, (std::vector<std::string>{"第1集", "第2集"}));
}

// Past the preload threshold with nothing known to follow, the next episode
// is looked up; below it, nothing is asked.
TEST_F(Monitor, PastTheThresholdTheNextEpisodeIsLookedUp) {
    PlayingAt(40, 100);
    player.progress = 601;
    Tick();
    EXPECT_EQ(lookUps, 0);
    player.progress = 1000;
    Tick();
    EXPECT_EQ(lookUps, 1);
    EXPECT_TRUE(player.calls.empty());
}

TEST_F(Monitor, OddPlayerValuesNeverBreakTheBar) {
    PlayingAt(-5, 100);
    Tick();
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:00 / 01:40");
    PlayingAt(2147483647, 100);
    player.speed = 70000;  // beyond 16 bits: shown whole
    player.progress = 5000;
    Tick();
    EXPECT_EQ(Text(ControlName::StatusLine), "播放中(70000 Kbps/S)");
    player.state = PlayerState::Buffering;
    player.Report(PlayerEvent::BufferingStarted);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在缓冲 (70000Kbps/S)");
    PlayingAt(10, -1);
    Tick();
}

TEST_F(Monitor, AStreamOfUnknownLengthShowsItsTimeWithNoLength) {
    PlayingAt(3, 0);
    Tick();
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).slider, (SliderValue{3, 0}));
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:03 / 00:00");
}

}  // namespace
}  // namespace ruvo
