#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/CommandLineItem.h"
#include "config/TextFile.h"
#include "fakes/WindowFixture.h"
#include "playback/PlayerBarLook.h"
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
    // A file of this name (and its folders) in the test's folder: its path.
    std::string MediaFile(const std::string& name) {
        const std::string path = folder.File("media/" + name);
        MakeFolders(path.substr(0, path.rfind('/')));
        ReplaceFileAtomically(path, "video");
        return path;
    }
};

TEST_F(CommandLineItem, QuotedPathWithBlanksPlaysAndIsListed) {
    fetch.replies[std::string(test::kTestPortal) + "h.asp?id=12&v=0&v1=1"] = "第2集$http://m/1.mp4$qvod";
    PageNavigates(Pane::PortalPage, "eebovod://12-0-1-星河");  // what played before it
    fetch.requests.clear();
    player.calls.clear();
    Stop(WindowTimer::StatusTick);
    const std::string path = MediaFile("My Videos/第一集 片头.mkv");
    window->PlayCommandLineItem("\"" + path + "\"");
    EXPECT_EQ(player.url, path);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    EXPECT_TRUE(Runs(WindowTimer::StatusTick));
    EXPECT_EQ(Text(ControlName::TitleLine), "第一集 片头.mkv");
    player.Report(PlayerEvent::FirstFrame);  // listed once it plays
    const auto lines = ReadTextFileLines(folder.File("date_f.dat"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->front(), "第一集 片头.mkv|" + path + "|0");
    // No episode follows a file: the bar's next asks the portal nothing.
    User().transportClick(BarButton::Next);
    EXPECT_TRUE(fetch.requests.empty());
    // Its place is kept on its line of the local files.
    player.state = PlayerState::Playing;
    player.duration = 600;
    player.position = 42;
    timers.Advance(1000);
    User().transportClick(BarButton::Stop);
    EXPECT_EQ(ReadTextFileLines(folder.File("date_f.dat"))->front(), "第一集 片头.mkv|" + path + "|42");
}

TEST_F(CommandLineItem, ExactlyOneTrailingSlashIsDropped) {
    window->PlayCommandLineItem("http://host/live/");
    EXPECT_EQ(player.url, "http://host/live");
    window->PlayCommandLineItem("http://host/live//");
    EXPECT_EQ(player.url, "http://host/live/");
}

TEST_F(CommandLineItem, AnEmptyHandOffOnlyBringsTheWindowToTheFront) {
    host.minimized = true;
    window->ReceiveFromSecondStart("");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"hide", "show", "normal"}));
    EXPECT_TRUE(Runs(WindowTimer::PlayerStartCheck));  // the process check runs again
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(folder.Read("date_f.dat"), "\r\n");
}

TEST_F(CommandLineItem, AHandOffStopsWhatPlaysSavesItsPositionAndLeavesCompactMode) {
    const std::string b = MediaFile("b.mp4");
    PlayingLocalFile(30);
    timers.Advance(1000);
    User().buttonClick(WindowButton::Compact);
    window->ReceiveFromSecondStart(b);
    EXPECT_FALSE(Visible(ControlName::RestoreLabel));  // the whole window again
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_EQ(folder.Read("date_f.dat"), "b.mp4|" + b + "|0\r\n" + LocalLine(30));
}

TEST_F(CommandLineItem, ADroppedFilePlaysInTheCompactWindowUnderItsName) {
    const std::string b = MediaFile("b.mp4");
    PlayingLocalFile(30);
    timers.Advance(1000);
    User().buttonClick(WindowButton::Compact);
    window->PlayCommandLineItem(b);
    EXPECT_TRUE(Visible(ControlName::RestoreLabel));
    EXPECT_EQ(controls.Text({ControlName::WindowTitle}), "b.mp4");
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    player.Report(PlayerEvent::FirstFrame);
    EXPECT_EQ(folder.Read("date_f.dat"), "b.mp4|" + b + "|0\r\n" + LocalLine(30));
}

TEST_F(CommandLineItem, HugeOrBrokenTextDoesNotHurt) {
    window->PlayCommandLineItem(std::string(1 << 20, 'x'));
    const std::string bad = MediaFile("\xff\xfe bad.mp4");
    window->PlayCommandLineItem(bad);
    EXPECT_EQ(player.url, bad);
    player.Report(PlayerEvent::FirstFrame);
    // The bytes that are no text stand in the list unchanged.
    EXPECT_EQ(folder.Read("date_f.dat").rfind("\xff\xfe bad.mp4|" + bad + "|0\r\n", 0), 0u);
}

// Only a web address or an existing file plays and is listed: libmpv would
// run a filter graph, read a descriptor or build media from text for the rest.
TEST_F(CommandLineItem, WhatIsNeitherAWebAddressNorAFileIsRefused) {
    const std::string file = MediaFile("a b.mp4");
    mkfifo(folder.File("fifo").c_str(), 0600);
    // (Every scheme: PlayableAddress.OnlyTheWebOrTheUsersOwnFile.)
    for (const std::string& item : std::vector<std::string>{"av://lavfi:amovie=/etc/passwd", folder.File("media"),
                                                            folder.File("fifo"), folder.File("gone.mp4")}) {
        window->PlayCommandLineItem(item);
        EXPECT_TRUE(player.url.empty()) << item;
        const bool gone = item == folder.File("gone.mp4");
        EXPECT_EQ(Text(ControlName::StatusLine), gone ? "无法播放：文件不存在" : "无法播放：不支持的地址") << item;
    }
    EXPECT_EQ(folder.Read("date_f.dat"), "\r\n");
    // Handed over while a file plays, it leaves that one playing.
    PlayingLocalFile(30);
    window->ReceiveFromSecondStart("av://lavfi:sine");
    EXPECT_EQ(player.url, folder.File("a.mp4"));
    EXPECT_TRUE(player.calls.empty());
    // A desktop's file address is the file.
    window->PlayCommandLineItem("file://" + folder.File("media/a%20b.mp4"));
    EXPECT_EQ(player.url, file);
}

}  // namespace
}  // namespace ruvo
