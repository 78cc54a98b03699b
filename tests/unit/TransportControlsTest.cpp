#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/PartFixture.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/MediaRemote.h"
#include "playback/PlayerMemory.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"

namespace ruvo {
namespace {

// The player bar with its sliders, keys and remembered volume, on the
// ports' fakes, with the status monitor that keeps it in step with the player.
class Transport : public test::PartFixture {
protected:
    test::FakeHost host;
    test::FakeDialogs dialogs;
    HistoryLists lists{folder.Path()};
    bool rightPanelShown = true, compact = false;
    int localFilesShown = 0, rightPanelToggles = 0;
    TransportControls bar{{view, host, player, playback, rightPanelShown, compact, dialogs, [this] { ++rightPanelToggles; },
                           [this] { ++localFilesShown; }, [this] { memory.RememberChanges(); },
                           [this](const std::string& text) { monitor.ShowNotice(text); }}};
    PlayerMemory memory{player, bar, settings};
    PlayerSliders sliders{view, player, playback, bar, memory, [this](const std::string& text) { monitor.ShowNotice(text); }};
    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay,
                               [this] { memory.RememberChanges(); }, [](const std::string&) {}, [] {}}};
    KeyboardShortcuts keys{{view, player, playback, bar, sliders, monitor, memory, *statusTick}};

    void SetUp() override {
        Follow(monitor);
        controls.Move({ControlName::TransportButton, 3}, {200, 0, 24, 24});
    }
    void Click(int button) { bar.Click(static_cast<BarButton>(button)); }
    // Episode 1 of title 12 plays at `position`.
    void Playing(int position, int duration) {
        if (player.url.empty()) {
            playback.Start({EpisodePlay{{"12", "0", "1", "T"}, "第1集", "http://m/1.mp4", "qvod"}});
            player.calls.clear();
        }
        player.state = PlayerState::Playing;
        player.position = position;
        player.duration = duration;
        player.Report(PlayerEvent::Resumed);
    }
    std::string Tooltip(int button) { return controls.Tooltip({ControlName::TransportButton, button}); }
    int Picture(int button) { return controls.Of({ControlName::TransportButton, button}).picture; }
};

TEST_F(Transport, PlayPauseToggles) {
    Click(0);  // nothing loaded: nothing happens
    EXPECT_TRUE(player.calls.empty());
    Playing(10, 100);
    timers.Advance(1000);
    Click(0);
    EXPECT_EQ(player.calls, std::vector<std::string>{"pause"});
    EXPECT_EQ(Tooltip(0), "播放");
    EXPECT_EQ(controls.Of({ControlName::SeekTrack}).slider, (SliderValue{10, 100}));
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    timers.Advance(1000);
    player.position = 0;  // the stream lost its place meanwhile
    Click(0);
    EXPECT_EQ(player.calls.back(), "play");
    EXPECT_EQ(Tooltip(0), "暂停");
    EXPECT_EQ(Picture(0), 1);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在播放");
    player.state = PlayerState::Playing;
    timers.Advance(1000);
    EXPECT_EQ(player.calls.back(), "seek:10");  // back to where it stopped
}

// The episode buttons and the panel button hand their work on.
TEST_F(Transport, EpisodeAndPanelButtonsHandTheirWorkOn) {
    Click(static_cast<int>(BarButton::Next));  // nothing played yet: no episode to step from
    EXPECT_TRUE(fetch.requests.empty());
    Playing(10, 100);
    Click(static_cast<int>(BarButton::Previous));
    Click(static_cast<int>(BarButton::Next));
    EXPECT_EQ(fetch.requests, (std::vector<std::string>{std::string(kPortalBase) + "h.asp?id=12&v=0&v1=0",
                                                         std::string(kPortalBase) + "h.asp?id=12&v=0&v1=2"}));
    Click(static_cast<int>(BarButton::RightPanel));
    EXPECT_EQ(rightPanelToggles, 1);
    // Screen readers hear what the buttons do in full.
    EXPECT_EQ(controls.Of(ControlOf(BarButton::Previous)).spoken.name, "上一集");
    EXPECT_EQ(Tooltip(static_cast<int>(BarButton::Previous)), "上一个");
    player.calls.clear();
    Click(8);  // no such button
    EXPECT_TRUE(player.calls.empty());
}

TEST_F(Transport, MuteToggles) {
    Click(2);
    EXPECT_TRUE(player.muted);
    EXPECT_EQ(Tooltip(2), "取消静音");
    EXPECT_EQ(Picture(2), 8);
    Click(2);
    EXPECT_FALSE(player.muted);
    EXPECT_EQ(Tooltip(2), "静音");
}

TEST_F(Transport, FullScreenStartsWhilePlayingAndTheButtonLeavesIt) {
    player.state = PlayerState::Paused;
    Click(3);
    EXPECT_FALSE(player.fullScreen);
    player.state = PlayerState::Playing;
    Click(3);
    EXPECT_TRUE(player.fullScreen);
    // In full screen the button leaves it, paused too.
    player.state = PlayerState::Paused;
    Click(3);
    EXPECT_FALSE(player.fullScreen);
}

TEST_F(Transport, OpenFilePlaysTheChosenFileUnderItsName) {
    Click(4);  // cancelled dialog: nothing
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, "选择播放文件");
    EXPECT_EQ(dialogs.fileDialogs[0].text.rfind("影音文件|*.rm;*.rmvb;*.wmv;*.mp3;*wma;*mid;*wav;*mpg;*mp4;*.mkv", 0), 0u);
    EXPECT_TRUE(player.url.empty());
    folder.Write("一二三四五六七八九十一二三四五六.mkv", "video");
    dialogs.chosenFile = folder.File("一二三四五六七八九十一二三四五六.mkv");
    Click(4);
    EXPECT_EQ(player.url, dialogs.chosenFile);
    EXPECT_EQ(session().item.name, "一二三四五六七八九十一二三四五");  // cut to the title line's width 30
    EXPECT_EQ(localFilesShown, 1);
    dialogs.chosenFile = "av://lavfi:sine";  // typed into the dialog: refused
    Click(4);
    EXPECT_EQ(player.url, folder.File("一二三四五六七八九十一二三四五六.mkv"));
    EXPECT_EQ(Text(ControlName::StatusLine), "无法播放：不支持的地址");
}

TEST_F(Transport, HoverShowsTheTooltipPanelAndHoldsTheMouse) {
    controls.Move({ControlName::BarTipText}, {0, 0, 30, 14});
    bar.MouseMove(BarButton::FullScreen, true);
    EXPECT_EQ(Picture(3), 12);
    EXPECT_TRUE(Visible(ControlName::BarTipPanel));
    EXPECT_EQ(Text(ControlName::BarTipText), "全屏");
    ASSERT_TRUE(host.captured);
    const Rect panel = controls.Geometry({ControlName::BarTipPanel});
    EXPECT_EQ(panel.left, 200 - 18 + 220 + 24 + 7 - 36 / 2);
    EXPECT_EQ(panel.top, 600 - 55);
    bar.MouseMove(BarButton::FullScreen, false);  // the move that leaves it
    EXPECT_EQ(Picture(3), 11);
    EXPECT_FALSE(Visible(ControlName::BarTipPanel));
    EXPECT_FALSE(host.captured);
}

TEST_F(Transport, TheSeekKnobLetGoSeeksThereAndTwoSecondsBackOverTheKnob) {
    Playing(0, 100);
    sliders.SeekLetGo(SeekRelease::OverTrack, 1.0);  // the right end
    EXPECT_EQ(player.position, 100);
    sliders.SeekLetGo(SeekRelease::OverKnob, 1.0);
    EXPECT_EQ(player.position, 98);
    sliders.SeekLetGo(SeekRelease::OverDownloadedBar, 0.5);
    EXPECT_EQ(player.position, 48);
    sliders.SeekLetGo(SeekRelease::OverTrack, 1.5);  // a press past the run: back from beyond the end
    EXPECT_EQ(player.position, 98);
    sliders.SeekLetGo(SeekRelease::OverTrack, 0.505);  // 50.5 s: halves to the even second
    EXPECT_EQ(player.position, 50);
    player.duration = std::numeric_limits<int>::max();
    sliders.SeekLetGo(SeekRelease::OverTrack, 3.0);  // an odd length never overflows
    EXPECT_EQ(player.position, std::numeric_limits<int>::max());
}

// Play after a pause goes on where the user sought meanwhile, by slider or key.
TEST_F(Transport, APlaceSoughtWhilePausedIsWherePlayGoesOn) {
    Playing(300, 600);
    timers.Advance(2000);
    Click(0);  // pause
    sliders.SeekLetGo(SeekRelease::OverTrack, 0.13);
    keys.KeyDown(Key::Left);
    ASSERT_EQ(player.position, 68);
    Click(0);  // play
    timers.Advance(2000);
    EXPECT_EQ(player.position, 68);
    EXPECT_EQ(player.calls.back(), "play");  // not sought back to 300
}

// The volume's notice gives way to what the item shows, paused too.
TEST_F(Transport, TheVolumeIsClampedUnmutedShownAndHeard) {
    Playing(30, 100);
    Click(0);  // pause
    sliders.SetVolume(40);
    EXPECT_EQ(Text(ControlName::StatusLine), "音量：40%");
    timers.Advance(3000);
    EXPECT_EQ(Text(ControlName::StatusLine), "已暂停");
    Click(2);  // muted
    sliders.SetVolume(140);
    EXPECT_EQ(player.volume, 100);
    EXPECT_FALSE(player.muted);
    EXPECT_EQ(Tooltip(2), "静音");
    sliders.SetVolume(-5);
    EXPECT_EQ(player.volume, 0);
    EXPECT_EQ(Text(ControlName::StatusLine), "音量：0%");
    EXPECT_EQ(controls.Of({ControlName::VolumeTrack}).slider, (SliderValue{0, 100}));
    EXPECT_EQ(controls.Tooltip({ControlName::VolumeKnob}), "0");
}

TEST_F(Transport, Keys) {
    Playing(4, 100);
    keys.KeyDown(Key::Left);
    EXPECT_EQ(player.position, 0);
    EXPECT_EQ(Text(ControlName::PlayTimes), "00:00 / 01:40");
    player.position = 95;
    keys.KeyDown(Key::Right);
    EXPECT_EQ(player.position, 98);
    player.position = 0;
    player.calls.clear();
    keys.KeyDown(Key::Right);  // a stopped item does not start
    EXPECT_TRUE(player.calls.empty());
    player.volume = 95;
    keys.KeyDown(Key::Up);
    EXPECT_EQ(player.volume, 105);  // the fake player takes what the keys send; the real one keeps 0 to 100
    EXPECT_EQ(Text(ControlName::StatusLine), "音量：105%");
    keys.KeyDown(Key::Space);
    EXPECT_EQ(player.calls.back(), "pause");
    // The player's own keys come first, and switch the status tick on as every key does.
    std::vector<Key> playerKeys;
    keys.SetPlayerKeys([&](Key key) {
        playerKeys.push_back(key);
        return key == Key::S;
    });
    EXPECT_TRUE(keys.KeyDown(Key::S));
    EXPECT_EQ(playerKeys, std::vector<Key>{Key::S});
    EXPECT_FALSE(keys.KeyDown(Key::None));  // left to whoever has the focus
}

TEST_F(Transport, FFillsTheScreenWithAPlayingPictureAndTheWheelChangesTheVolumeByFive) {
    Playing(40, 100);
    player.state = PlayerState::Playing;
    keys.KeyDown(Key::F);
    EXPECT_TRUE(player.fullScreen);  // the full-screen button's toggle
    player.volume = 50;
    keys.WheelOverPicture(2);
    EXPECT_EQ(player.volume, 60);
    EXPECT_EQ(Text(ControlName::StatusLine), "音量：60%");
    keys.WheelOverPicture(-1);
    EXPECT_EQ(player.volume, 55);
    EXPECT_EQ(controls.Of({ControlName::VolumeTrack}).slider, (SliderValue{55, 100}));  // the slider follows
}

TEST_F(Transport, LeftOnAStreamOfUnknownLengthGoesBackTenSeconds) {
    Playing(40, 0);  // a live stream: no duration
    keys.KeyDown(Key::Left);
    EXPECT_EQ(player.position, 30);
    keys.KeyDown(Key::Left);
    keys.KeyDown(Key::Left);
    keys.KeyDown(Key::Left);
    EXPECT_EQ(player.position, 0);  // it clamps below 0 only
}

// Held Up: each repeat changes the volume (and the status line says so);
// the status tick is not pushed back by every key, so the time label keeps
// following the play.
TEST_F(Transport, HeldKeysDoNotPostponeTheStatusTick) {
    Playing(40, 100);
    int ticks = 0;
    for (int i = 0; i < 30; ++i) {
        keys.KeyDown(Key::Up);
        ++player.position;
        const std::string before = Text(ControlName::PlayTimes);
        timers.Advance(100);
        ticks += Text(ControlName::PlayTimes) != before;
    }
    EXPECT_GE(ticks, 2);  // three seconds of held key: the tick came about each second
    EXPECT_EQ(Text(ControlName::StatusLine).rfind("音量：", 0), 0u);
}

TEST_F(Transport, KeysDoNothingWhileThePlayerBoxIsHidden) {
    Playing(50, 100);
    playback.Start({TelevisionPlay{"新闻", "ch=1"}});  // the page player takes the player's place
    ASSERT_FALSE(Visible(ControlName::PlayerBox));
    keys.KeyDown(Key::Left);
    EXPECT_EQ(player.position, 50);
}

// The desktop's media controls (the media keys, a panel's media widget)
// act through the bar.
class MediaControls : public Transport {
protected:
    MediaRemote remote{{player, playback, view, host, pagePlayer, bar, sliders, monitor, memory, [] {}}};

    // A listed file plays at 100 s of an hour.
    void PlayingAListedFile() {
        folder.Write("a.mp4", "video");
        folder.Write("date_f.dat", "a.mp4|" + folder.File("a.mp4") + "|0\r\n");
        playback.Start({LocalFilePlay{folder.File("a.mp4"), "a.mp4", true}});
        player.calls.clear();
        Playing(100, 3600);
    }
    void Ticks(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            ++player.position;
            timers.Advance(1000);
        }
    }
};

TEST_F(MediaControls, ActThroughTheBar) {
    PlayingAListedFile();
    Ticks(1);
    EXPECT_EQ(remote.Status().playback, "Playing");
    remote.PlayPause();
    EXPECT_EQ(player.state, PlayerState::Paused);
    EXPECT_EQ(remote.Status().playback, "Paused");
    remote.Pause();  // already paused: nothing
    EXPECT_EQ(player.calls.back(), "pause");
    remote.Play();
    EXPECT_EQ(player.state, PlayerState::Playing);
    remote.SeekBy(30'000'000);
    EXPECT_EQ(player.position, 131);
    remote.SeekTo(7'200'000'000);  // past the end: ignored, as the interface asks
    EXPECT_EQ(player.position, 131);
    remote.SeekBy(std::numeric_limits<int64_t>::max());  // far past the end: two seconds before it
    EXPECT_EQ(player.position, 3598);
    remote.SetVolume(0.35);
    EXPECT_EQ(player.volume, 35);
    remote.SetVolume(std::nan(""));
    EXPECT_EQ(player.volume, 35);
    EXPECT_EQ(ReadSetting(folder.File("config.dll"), kPlayerSection, kVolumeKey, "absent"), "35");
    const MediaStatus status = remote.Status();
    EXPECT_EQ(status.lengthUs, 3600'000'000);
    EXPECT_FALSE(status.canGoNext);  // a local file has no episodes
    Ticks(1);
    remote.Stop();
    EXPECT_EQ(player.state, PlayerState::Stopped);
    // Stopped in its last two seconds, it is stored to start over, as the bar's stop stores it.
    EXPECT_EQ(folder.Read("date_f.dat"), "a.mp4|" + folder.File("a.mp4") + "|1\r\n");
}

TEST_F(MediaControls, SetTheSpeedWithinRangeAndZeroPauses) {
    PlayingAListedFile();
    Ticks(1);
    remote.SetRate(1.5);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.5);
    EXPECT_DOUBLE_EQ(remote.Status().rate, 1.5);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放速度：1.5x");
    Ticks(1);  // the change holds the status line for some two seconds
    EXPECT_EQ(Text(ControlName::StatusLine), "播放速度：1.5x");
    Ticks(1);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放速度：1.5x");
    Ticks(1);
    EXPECT_NE(Text(ControlName::StatusLine), "播放速度：1.5x");
    remote.SetRate(16);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 2.0);
    remote.SetRate(-1);
    remote.SetRate(std::nan(""));
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 2.0);
    remote.SetRate(0);
    EXPECT_EQ(player.state, PlayerState::Paused);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 2.0);
}

}  // namespace
}  // namespace ruvo
