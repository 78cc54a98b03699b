#include <gtest/gtest.h>

#include "app/CommandLineItem.h"
#include "config/TextFile.h"
#include "fakes/WindowFixture.h"
#include "playback/TransportControls.h"
#include "shell/TitleButtons.h"

namespace ruvo {
namespace {

class CommandLineItem : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
        timers.Advance(20);  // the start's process check has run
        WriteList("date_f.dat", "\r\n");
    }
};

TEST_F(CommandLineItem, QuotedPathWithBlanksPlaysAndIsListed) {
    Session().episode = PortalEpisode{"12", "0", "1", "星河"};  // what played before it
    window->TimerOf(WindowTimer::StatusTick).SetEnabled(false);
    window->CommandLine().Play("\"/home/u/My Videos/第一集 片头.mkv\"");
    EXPECT_EQ(player.url, "/home/u/My Videos/第一集 片头.mkv");
    EXPECT_EQ(player.calls, std::vector<std::string>{"play"});
    EXPECT_TRUE(window->TimerOf(WindowTimer::StatusTick).IsEnabled());
    EXPECT_EQ(Text(ControlName::TitleLine), "第一集 片头.mkv");
    const auto lines = ReadTextFileLines(folder.File("date_f.dat"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->front(), "第一集 片头.mkv|/home/u/My Videos/第一集 片头.mkv|0");
    // No episode follows a file: the bar's next asks the portal nothing.
    window->Transport().PlayNextEpisode();
    EXPECT_TRUE(fetch.requests.empty());
    // Its place is kept on its line of the local files.
    player.state = kPlayPlaying;
    player.duration = 600;
    player.position = 42;
    timers.Advance(1000);
    window->Transport().Stop();
    EXPECT_EQ(ReadTextFileLines(folder.File("date_f.dat"))->front(), "第一集 片头.mkv|/home/u/My Videos/第一集 片头.mkv|42");
}

TEST_F(CommandLineItem, ExactlyOneTrailingSlashIsDropped) {
    window->CommandLine().Play("http://host/live/");
    EXPECT_EQ(player.url, "http://host/live");
    window->CommandLine().Play("http://host/live//");
    EXPECT_EQ(player.url, "http://host/live/");
}

TEST_F(CommandLineItem, AnEmptyHandOffOnlyBringsTheWindowToTheFront) {
    host.minimized = true;
    window->CommandLine().Receive("");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"hide", "show", "normal"}));
    EXPECT_TRUE(window->TimerOf(WindowTimer::PlayerStartCheck).IsEnabled());  // the process check runs again
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(folder.Read("date_f.dat"), "\r\n");
}

TEST_F(CommandLineItem, AHandOffStopsWhatPlaysSavesItsPositionAndLeavesCompactMode) {
    PlayingLocalFile(30);
    window->Title().EnterCompactMode();
    window->CommandLine().Receive("/m/b.mp4");
    EXPECT_FALSE(Visible(ControlName::RestoreLabel));  // the whole window again
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    EXPECT_EQ(folder.Read("date_f.dat"), "b.mp4|/m/b.mp4|0\r\na.mp4|/m/a.mp4|30\r\n");
}

TEST_F(CommandLineItem, ADroppedFilePlaysInTheCompactWindowUnderItsName) {
    PlayingLocalFile(30);
    window->Title().EnterCompactMode();
    window->CommandLine().PlayInsteadOfCurrent("/m/b.mp4");
    EXPECT_TRUE(Visible(ControlName::RestoreLabel));
    EXPECT_EQ(controls.Text({ControlName::WindowTitle}), "b.mp4");
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    EXPECT_EQ(folder.Read("date_f.dat"), "b.mp4|/m/b.mp4|0\r\na.mp4|/m/a.mp4|30\r\n");
}

TEST_F(CommandLineItem, HugeOrBrokenTextDoesNotHurt) {
    window->CommandLine().Play(std::string(1 << 20, 'x'));
    window->CommandLine().Play("/m/\xff\xfe bad.mp4");
    EXPECT_EQ(player.url, "/m/\xff\xfe bad.mp4");
    // The bytes that are no text stand in the list unchanged.
    EXPECT_EQ(folder.Read("date_f.dat").rfind("\xff\xfe bad.mp4|/m/\xff\xfe bad.mp4|0\r\n", 0), 0u);
}

}  // namespace
}  // namespace ruvo
