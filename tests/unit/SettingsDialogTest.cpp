#include <gtest/gtest.h>

#include <filesystem>

#include "config/FileSystem.h"
#include "fakes/WindowFixture.h"
#include "config/PlayerFolder.h"
#include "settings/PlayerConfigText.h"
#include "playback/PlayerProcesses.h"
#include "settings/SettingsDialog.h"

namespace ruvo {
namespace {

// The dialog on its own, over a program folder a real start made, once the
// player's folder is known.
class SettingsDialogTest : public test::StartedFolder {
protected:
    test::FakeSettingsView settingsView;
    test::FakeDialogs dialogs;
    std::string playerFolder, downloads;
    std::unique_ptr<SettingsDialog> dialog;
    void SetUp() override {
        StartedFolder::SetUp();
        std::string learned;
        StorePlayerFolder(learned, folder.Path(), settings);
        playerFolder = folder.File("player") + "/";
        downloads = folder.File("downloads") + "/";
        dialog = std::make_unique<SettingsDialog>(SettingsDialog::Parts{settingsView, dialogs, settings, folder.Path()});
    }
    SettingsDialog& Dialog() { return *dialog; }
    std::string Config() { return ReadWholeFile(playerFolder + "QvodPlayer.xml").value_or("<missing>"); }
};

TEST_F(SettingsDialogTest, OpensOnTheAboutPageWithTheStoredOptions) {
    Setting("s_pao", "1");
    Setting("qvodk", "7");
    Dialog().Open();
    EXPECT_TRUE(settingsView.open);
    EXPECT_EQ(settingsView.tab, 0);
    EXPECT_FALSE(settingsView.IsChecked(8));  // 1 shows unchecked
    EXPECT_TRUE(settingsView.IsChecked(6));   // anything else checked
    EXPECT_TRUE(settingsView.IsChecked(0));
    EXPECT_EQ(settingsView.checked.count(4), 0u);
    EXPECT_EQ(settingsView.folderText, downloads);
    Dialog().ShowTab(2);
    EXPECT_EQ(settingsView.header, "缓存设置");
    Dialog().ShowTab(7);
    EXPECT_EQ(settingsView.tab, 2);
}

TEST_F(SettingsDialogTest, ApplyWritesTheEightKeysAndLeavesAnUnchangedFolderAlone) {
    Dialog().Open();
    const std::string configBefore = Config();
    settingsView.checked[8] = false;
    settingsView.checked[2] = false;
    settingsView.actions.apply();
    EXPECT_EQ(SettingOf("s_pao"), "1");
    EXPECT_EQ(SettingOf("s_bo"), "1");
    for (const char* key : {"quit", "qvodk", "s_size", "s_h", "s_jd", "qvodqi"}) EXPECT_EQ(SettingOf(key), "2") << key;
    EXPECT_EQ(Config(), configBefore);
    EXPECT_TRUE(dialogs.notices.empty());
    EXPECT_TRUE(settingsView.open);
    settingsView.actions.ok();
    EXPECT_FALSE(settingsView.open);
}

TEST_F(SettingsDialogTest, CancelWritesNothing) {
    Dialog().Open();
    settingsView.checked[8] = false;
    settingsView.actions.cancel();
    EXPECT_EQ(SettingOf("s_pao"), "2");
    EXPECT_FALSE(settingsView.open);
}

TEST_F(SettingsDialogTest, NewFolderIsWrittenIntoThePlayerConfiguration) {
    Dialog().Open();
    const std::string target = folder.File("films");  // typed without the trailing "/"
    settingsView.folderText = target;
    settingsView.actions.apply();
    EXPECT_NE(Config().find("Defaultsavepath=\"" + target + "/\""), std::string::npos);
    EXPECT_EQ(DownloadFolderOf(settings), target + "/");
    EXPECT_TRUE(PathExists(target));
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "接受路径修改成功，可能部分电脑需要重启才能生效！");
    // Applying again without a change touches nothing more.
    settingsView.actions.apply();
    EXPECT_EQ(dialogs.notices.size(), 1u);
}

TEST_F(SettingsDialogTest, RelativeFolderFallsBackToTheDefaultDownloads) {
    Dialog().Open();
    settingsView.folderText = "films";
    settingsView.actions.apply();
    EXPECT_EQ(settingsView.folderText, downloads);
    // Loaded folder was the default already, so the file says the same.
    EXPECT_EQ(ReadQvodSavePath(playerFolder), downloads);
}

TEST_F(SettingsDialogTest, MissingOrForeignConfigurationStillGetsTheFolder) {
    RemoveFile(playerFolder + "QvodPlayer.xml");
    Dialog().Open();
    EXPECT_EQ(settingsView.folderText, downloads);
    settingsView.folderText = folder.File("a");
    settingsView.actions.apply();
    EXPECT_EQ(ReadQvodSavePath(playerFolder), folder.File("a") + "/");

    folder.Write("player/QvodPlayer.xml", std::string("\x00\x01binary\xff", 9));
    settingsView.actions.cancel();
    Dialog().Open();
    settingsView.folderText = folder.File("b");
    settingsView.actions.apply();
    EXPECT_EQ(ReadQvodSavePath(playerFolder), folder.File("b") + "/");
    EXPECT_EQ(Config().substr(0, 9), std::string("\x00\x01binary\xff", 9));  // what it held stays
}

TEST_F(SettingsDialogTest, UnwritableFolderIsReportedNotClaimedAsSuccess) {
    Dialog().Open();
    folder.Write("plainfile", "x");  // a folder cannot be made below a file, not even by root
    settingsView.folderText = folder.File("plainfile") + "/films/";
    settingsView.actions.apply();
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, kFolderNotChangedNotice);
    EXPECT_EQ(ReadQvodSavePath(playerFolder), downloads);
}

TEST_F(SettingsDialogTest, BrowseStartsAtTheBoxAndCancelKeepsTheLoadedFolder) {
    Dialog().Open();
    dialogs.chosenFolder = "/media/films";
    settingsView.actions.browse();
    ASSERT_EQ(dialogs.folderDialogs.size(), 1u);
    EXPECT_EQ(dialogs.folderDialogs[0].text, downloads);
    EXPECT_EQ(dialogs.folderDialogs[0].title, "请选择影片下载存放的文件夹");
    EXPECT_EQ(settingsView.folderText, "/media/films/");
    dialogs.chosenFolder = "";
    settingsView.actions.browse();
    EXPECT_EQ(settingsView.folderText, downloads);
}

TEST_F(SettingsDialogTest, CancelWithNoLoadedFolderNeverMakesTheRootTheFolder) {
    std::filesystem::remove(playerFolder + "QvodPlayer.xml");
    Dialog().Open();
    const std::string shown = settingsView.folderText;
    dialogs.chosenFolder = "";
    settingsView.actions.browse();
    EXPECT_EQ(settingsView.folderText, shown);
    settingsView.actions.apply();
    EXPECT_NE(ReadQvodSavePath(playerFolder), "/");
}

TEST_F(SettingsDialogTest, OpeningItAgainKeepsWhatIsNotAppliedYet) {
    Dialog().Open();
    settingsView.SetChecked(6, false);
    Dialog().ShowTab(1);
    Dialog().Open();  // from the tray menu, say, while it shows
    EXPECT_FALSE(settingsView.IsChecked(6));
    EXPECT_EQ(settingsView.tab, 1);
}

TEST(PlayerConfigText, ReplacesEveryMatchingAttributeOnly) {
    const std::string text = "<a Defaultsavepath=\"/x/\"/>\r\n<b Defaultsavepath=\"/y/\"/>\r\n<c Defaultsavepath=\"/x/\"/>\r\n";
    EXPECT_EQ(ReplaceSavePath(text, "/x/", "/z/"),
              "<a Defaultsavepath=\"/z/\"/>\r\n<b Defaultsavepath=\"/y/\"/>\r\n<c Defaultsavepath=\"/z/\"/>\r\n");
    EXPECT_NE(ReplaceSavePath("", "", "/z/").find("Defaultsavepath=\"/z/\""), std::string::npos);
}

}  // namespace
}  // namespace ruvo
