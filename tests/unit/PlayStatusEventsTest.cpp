// The play-status monitor alone, on the ports' fakes, driven by what the
// player reports rather than by its ticks.
#include <gtest/gtest.h>

#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualTimers.h"
#include "playback/PlayStatusMonitor.h"

namespace ruvo {
namespace {

class MonitorAlone : public testing::Test {
protected:
    test::TempFolder folder;
    test::FakeControls controls;  // the screen
    WindowView view{controls};
    test::FakePlayer player;
    test::VirtualTimers timers;
    std::unique_ptr<Timer> statusTick = timers.CreateTimer(), endOfPlay = timers.CreateTimer();
    SettingsFile settings{folder.File("config.dll")};
    UserOptions options{settings};
    PlaySession session;
    AdPanes ads;
    std::optional<bool> playLook;  // what the play/pause button offers: true = pause
    std::vector<std::string> playedOn;
    PlayStatusMonitor monitor{{player, session, ads, view, options, *statusTick, *endOfPlay,
                               [this](bool playing) { playLook = playing; }, [] {}, [] {},
                               [](const std::string&) {}, [] {},
                               [this](const EpisodePlay& next) { playedOn.push_back(next.label); }}};

    void SetUp() override {
        controls.Move({ControlName::SeekTrack}, {0, 0, 412, 7});
        controls.Move({ControlName::SeekKnob}, {0, 0, 12, 7});
        player.url = "http://m/1.mp4";
        player.duration = 100;
        player.state = PlayerState::Playing;
        player.SetEventHandler([this](PlayerEvent event) { monitor.PlayerReported(event); });
        endOfPlay->SetInterval(2000);
        endOfPlay->SetOnTick([this] { monitor.EndOfPlayTick(); });
    }
    bool Visible(ControlName name) const { return controls.IsVisible({name}); }
    std::string Text(ControlName name) const { return controls.Text({name}); }
};

// The first frame lifts the cover at once, with the bar and the time of the
// place it shows (a resumed one too), not at the next tick.
TEST_F(MonitorAlone, TheFirstFrameShowsAtOnce) {
    player.position = 95;
    view.SetVisible({ControlName::PlayerCover}, true);
    view.SetVisible({ControlName::NextEpisodeNotice}, true);
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_FALSE(Visible(ControlName::PlayerCover));
    EXPECT_FALSE(Visible(ControlName::NextEpisodeNotice));
    EXPECT_EQ(Text(ControlName::PlayTimes), "01:35 / 01:40");
    EXPECT_EQ(playLook, true);
    EXPECT_EQ(Text(ControlName::StatusLine), "正在播放");  // the bit rate is not known yet
    monitor.ShowWaiting("正在搜索资源，请稍后");
    player.Report(PlayerEvent::FirstFrame);  // what is awaited keeps the line
    EXPECT_EQ(Text(ControlName::StatusLine), "正在搜索资源，请稍后");
}

// An item that ended with nothing known to follow waits; a next episode
// found then plays on (when the user wants that), found before the end it
// waits for the end.
TEST_F(MonitorAlone, ANextEpisodeFoundAfterTheEndPlaysOn) {
    options.Set(Option::AutoPlayNext, true);
    player.position = 99;
    player.Report(PlayerEvent::EndOfFile);
    session.next.Found({{"12", "0", "1", "T"}, "第2集", "http://m/2.mp4", "qvod"}, "http://m/2.mp4");
    monitor.NextEpisodeFound();
    EXPECT_TRUE(playedOn.empty());  // the end of play is still to come
    session.next = {};
    timers.Advance(2000);
    EXPECT_EQ(Text(ControlName::StatusLine), "播放完毕");
    EXPECT_TRUE(playedOn.empty());
    session.next.Found({{"12", "0", "1", "T"}, "第2集", "http://m/2.mp4", "qvod"}, "http://m/2.mp4");
    monitor.NextEpisodeFound();
    EXPECT_EQ(playedOn, std::vector<std::string>{"第2集"});
    EXPECT_TRUE(Visible(ControlName::NextEpisodeNotice));
}

}  // namespace
}  // namespace ruvo
