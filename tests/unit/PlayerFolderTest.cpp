#include <gtest/gtest.h>

#include "fakes/WindowFixture.h"
#include "config/PlayerFolder.h"

namespace ruvo {
namespace {

TEST(PlayerFolder, OwnFolderNamesItsDownloadFolder) {
    test::TempFolder folder;
    const std::string player = EnsureOwnPlayerFolder(folder.Path());
    EXPECT_EQ(player, folder.File("player") + "/");
    EXPECT_EQ(ReadQvodSavePath(player), folder.File("downloads") + "/");
    EXPECT_TRUE(IsWritableFolder(folder.File("downloads")));
    // A user's own choice of folder stays.
    folder.Write("player/QvodPlayer.xml", "<a>\r\n<QvodPlayer Defaultsavepath=\"/media/films/\" x=\"1\"/>\r\n");
    EnsureOwnPlayerFolder(folder.Path());
    EXPECT_EQ(ReadQvodSavePath(player), "/media/films/");
    EXPECT_EQ(ReadQvodSavePath(folder.File("nowhere") + "/"), "");
}

TEST(PlayerFolder, DownloadNamesAreDistinctAndSafe) {
    const std::string a = DownloadFileName("http://h/media/t15-s0-e2.mp4");
    EXPECT_EQ(a.size(), 16u + 1 + 13);
    EXPECT_EQ(a.substr(17), "t15-s0-e2.mp4");
    EXPECT_NE(DownloadFileName("http://other/media/t15-s0-e2.mp4"), a);
    EXPECT_EQ(DownloadFileName("http://h/a b/../x y.mp4?q=1").substr(17), "x_y.mp4");
    EXPECT_EQ(DownloadFileName("garbage").substr(17), "media");
    EXPECT_EQ(DownloadFileName("http://h/" + std::string(300, 'z')).size(), 17u + 80);
}

class StartOption : public test::WindowFixture {};

TEST_F(StartOption, TheTimerLearnsThePlayerFolderOnce) {
    Load();
    timers.Advance(10);
    EXPECT_FALSE(Runs(WindowTimer::PlayerStartCheck));
    EXPECT_EQ(ReadSetting(folder.File("config.dll"), "S_q", "qvodw", "0"), folder.File("player") + "/");
    EXPECT_EQ(DownloadFolderOf(settings), folder.File("downloads") + "/");
}

}  // namespace
}  // namespace ruvo
