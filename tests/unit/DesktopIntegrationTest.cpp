// What the program adds for the Linux desktop: the position stored while
// playing, volume and mute across runs, the screen kept awake, the media
// controls, links that leave the portal.
#include <gtest/gtest.h>

#include "fakes/WindowFixture.h"
#include "playback/IdleInhibition.h"
#include "playback/MediaRemote.h"
#include "playback/PlayerMemory.h"
#include "portal/ForeignLinks.h"

namespace ruvo::test {
namespace {

class DesktopIntegration : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
    void Ticks(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            ++player.position;
            timers.Advance(1000);
        }
    }
    std::string PlayerSetting(const char* key) {
        return ReadSetting(folder.File("config.dll"), kPlayerSection, key, "absent");
    }
    void StartLocalFile() {
        PlayingLocalFile(100);
        player.duration = 3600;
        player.position = 100;
    }
};

TEST_F(DesktopIntegration, PlayingPositionIsStoredEveryThirtySeconds) {
    StartLocalFile();
    Ticks(29);
    EXPECT_EQ(folder.Read("date_f.dat"), LocalLine(0));
    Ticks(1);
    EXPECT_EQ(folder.Read("date_f.dat"), LocalLine(130));
    player.state = PlayerState::Paused;  // a paused item has nothing new to store
    Ticks(40);
    EXPECT_EQ(folder.Read("date_f.dat"), LocalLine(130));
}

TEST_F(DesktopIntegration, VolumeAndMuteAreWrittenOnlyWhenChangedAndComeBack) {
    StartLocalFile();
    Ticks(3);
    EXPECT_EQ(PlayerSetting(kVolumeKey), "absent");  // a first-run file stays as it was
    EXPECT_EQ(PlayerSetting(kMuteKey), "absent");
    User().keyDown(Key::Down);  // 10 less
    EXPECT_EQ(PlayerSetting(kVolumeKey), "90");
    User().transportClick(BarButton::Mute);
    EXPECT_EQ(PlayerSetting(kMuteKey), "1");

    FakePlayer fresh;
    std::swap(player, fresh);  // the next run's player starts at its default
    controls.values.clear();
    Load();
    EXPECT_EQ(player.volume, 90);
    EXPECT_TRUE(player.muted);
    EXPECT_EQ(controls.Tooltip({ControlName::TransportButton, 2}), "取消静音");
}

TEST_F(DesktopIntegration, ScreenStaysAwakeWhilePlayingOnly) {
    StartLocalFile();
    Ticks(5);
    EXPECT_EQ(idle.calls, (std::vector<std::string>{std::string("inhibit ") + kIdleReason}));
    User().transportClick(BarButton::PlayPause);  // pause
    EXPECT_EQ(idle.calls.back(), "release");
    User().transportClick(BarButton::PlayPause);  // play again
    Ticks(1);
    EXPECT_EQ(idle.calls.size(), 3u);
    User().transportClick(BarButton::Stop);  // stop
    EXPECT_EQ(idle.calls.back(), "release");
}

TEST_F(DesktopIntegration, PagePlayerKeepsTheScreenAwakeUntilItCloses) {
    bool cancel = false;
    Web(Pane::PortalPage).events.beforeNavigate("eetvs://演示新闻台&&&id=1", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(idle.calls.size(), 1u);
    User().closeWebPlayer();
    EXPECT_EQ(idle.calls.back(), "release");
}

TEST_F(DesktopIntegration, ExitReleasesTheScreen) {
    StartLocalFile();
    Ticks(1);
    User().buttonClick(WindowButton::Close);  // closes, or exits with "quit" = 1
    Setting("ts", "1");
    Setting("quit", "1");
    User().buttonClick(WindowButton::Close);
    EXPECT_EQ(idle.calls.back(), "release");
}

TEST_F(DesktopIntegration, MediaControlsNameWhatPlaysAsTheTitleLineDoes) {
    MediaRemote& remote = window->Remote();
    const std::string longName(40, 'x');
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eeqvod://qvod&&&http%3A//m/e1.mp4&&&" + longName + "&&&第1集&&&23&&&0&&&0"));
    EXPECT_EQ(remote.Status().title, Text(ControlName::TitleLine));
    EXPECT_EQ(remote.Status().title, std::string(30, 'x') + "-第1集");  // cut to the line's width
    EXPECT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://演示新闻台&&&id=1"));
    EXPECT_EQ(remote.Status().title, "演示新闻台");
    User().closeWebPlayer();  // nothing plays: the line is empty
    EXPECT_EQ(remote.Status().title, "");
    EXPECT_EQ(Text(ControlName::TitleLine), "");
    folder.Write("第二集.mp4", "video");
    window->PlayCommandLineItem(folder.File("第二集.mp4"));
    EXPECT_EQ(remote.Status().title, "第二集.mp4");
}

TEST_F(DesktopIntegration, MediaControlsPlayAndPauseThePagePlayersOwnVideo) {
    StartLocalFile();  // an earlier item: not what plays now
    ASSERT_TRUE(PageNavigates(Pane::PortalPage, "eetvs://演示新闻台&&&id=1"));
    player.calls.clear();
    MediaRemote& remote = window->Remote();
    EXPECT_EQ(remote.Status().playback, "Playing");  // the page's video plays by itself
    remote.PlayPause();
    remote.Play();
    remote.Pause();
    EXPECT_EQ(Web(Pane::PagePlayer).mediaActions,
              (std::vector<PageMediaAction>{PageMediaAction::PlayPause, PageMediaAction::Play, PageMediaAction::Pause}));
    EXPECT_EQ(remote.Status().playback, "Paused");
    EXPECT_TRUE(Visible(ControlName::PagePlayerBox));  // the page stays
    EXPECT_TRUE(player.calls.empty());
    remote.PlayPause();
    EXPECT_EQ(remote.Status().playback, "Playing");
}

TEST_F(DesktopIntegration, TheWheelsVolumeShowsForTwoTicks) {
    StartLocalFile();
    Ticks(1);
    User().volumeWheel(-2);
    EXPECT_EQ(player.volume, 90);
    Ticks(2);
    EXPECT_EQ(Text(ControlName::StatusLine), "音量：90%");
    Ticks(1);
    EXPECT_EQ(Text(ControlName::StatusLine).rfind("播放中", 0), 0u);
}

TEST_F(DesktopIntegration, LinksToOtherSitesOpenInTheBrowser) {
    const PortalAddress portal = PortalFrom(kTestPortal);
    EXPECT_TRUE(LeavesPortal("https://example.com/a", portal));
    EXPECT_TRUE(LeavesPortal("http://127.0.0.1:8791/box/", portal));  // another port is another site
    EXPECT_FALSE(LeavesPortal("http://127.0.0.1:8790/show/1.html", portal));
    EXPECT_FALSE(LeavesPortal("HTTP://127.0.0.1:8790", portal));
    EXPECT_FALSE(LeavesPortal("eeshow://show/1.html", portal));
    EXPECT_FALSE(LeavesPortal("/tmp/c.htm", portal));

    ASSERT_TRUE(Web(Pane::SidePage).events.linkOpensOutside);
    EXPECT_TRUE(Web(Pane::SidePage).events.linkOpensOutside("https://example.com/a", true));
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://example.com/a"});
    EXPECT_FALSE(Web(Pane::SidePage).events.linkOpensOutside("http://127.0.0.1:8790/show/2.html", true));
    // A script's click leaves the pane where it is and opens nothing.
    EXPECT_TRUE(Web(Pane::SidePage).events.linkOpensOutside("https://example.com/b", false));
    EXPECT_EQ(shell.opened.size(), 1u);
}

}  // namespace
}  // namespace ruvo::test
