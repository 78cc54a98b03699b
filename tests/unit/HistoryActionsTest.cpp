#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "config/FileSystem.h"
#include "fakes/WindowFixture.h"
#include "history/HistoryLists.h"
#include "playback/PlayerProcesses.h"
#include "history/HistoryActions.h"
#include "config/PlayerFolder.h"

namespace ruvo {
namespace {

// The list actions alone, in a program folder as a first run leaves it.
class HistoryActionsTest : public test::StartedFolder {
protected:
    std::string downloads;
    test::FakeWebPane watchList;
    HistoryLists lists{folder.Path()};
    std::string playerFolder;
    test::FakeHost host;
    test::FakeControls controls;  // the screen
    WindowView view{controls};
    test::FakeSurface surface{host};
    test::FakeMenus menus;
    test::FakeDialogs dialogs;
    test::FakeShell shell;
    std::vector<std::string> tips;
    int topMostLeft = 0;
    bool localListLast = false;  // the local-file tab was shown last
    HistoryActions actions{{watchList, lists, folder.Path(), playerFolder, settings, view, surface, menus, dialogs,
                            shell, [this](const std::string& text) { tips.push_back(text); },
                            [this] {
                                EXPECT_TRUE(shell.folders.empty());  // before the file manager comes
                                ++topMostLeft;
                            },
                            [this] { return localListLast; }}};

    void SetUp() override {
        StartedFolder::SetUp();
        StorePlayerFolder(playerFolder, folder.Path(), settings);  // as the start's process check does
        downloads = folder.File("downloads") + "/";
    }
    void Download(const std::string& name) { folder.Write("downloads/" + name, "data"); }
    bool Downloaded(const std::string& name) { return PathExists(downloads + name); }
    // The watch history with one record whose address names a qvod file.
    void ListWithQvodFile(const std::string& fileName) {
        const std::string address = "qvod://123|ABCDEF|" + fileName + "|";
        WriteList("date.dat", "12|星河漫游记|第1集|qvod|" + JsEscape(address) + "|0|0|0\r\n");
    }
    // The links the actions sent the watch list's pane to.
    std::vector<std::string> Web3Links() {
        std::vector<std::string> links;
        for (const auto& url : watchList.navigations)
            if (url.find("://") != std::string::npos) links.push_back(url);
        return links;
    }
};

TEST(DownloadPrefix, HalfTheNameRoundedToEvenOrTheWholeShortName) {
    EXPECT_EQ(CompareLength(U"abcdefgh"), 4u);
    EXPECT_EQ(CompareLength(U"abcde"), 5u);  // 2.5 rounds to 2, under 3: the whole name
    EXPECT_EQ(CompareLength(U"abcdefg"), 4u);  // 3.5 rounds to 4
    EXPECT_EQ(CompareLength(U"abcdefghi"), 4u);  // 4.5 rounds to 4
    EXPECT_EQ(CompareLength(U"ab"), 2u);
    EXPECT_EQ(NamesWithPrefix({"abcd1.rmvb", "abc.rmvb", "Abcd.rmvb", "星河漫游.mp4"}, "abcd"),
              std::vector<std::string>{"abcd1.rmvb"});
    EXPECT_EQ(NamesWithPrefix({"星河漫游.mp4", "星河.mp4"}, "星河漫"), std::vector<std::string>{"星河漫游.mp4"});
}

TEST_F(HistoryActionsTest, PlayAndDeleteTheRightClickedRow) {
    actions.RowRightClicked("open://2/");
    actions.PlaySelectedRow();
    actions.DeleteSelectedRow();
    EXPECT_EQ(Web3Links(), (std::vector<std::string>{"open://2/", "delk://2/"}));
}

TEST_F(HistoryActionsTest, NothingHappensBeforeAnyRowWasRightClicked) {
    actions.PlaySelectedRow();
    actions.DeleteSelectedRow();
    actions.DeleteSelectedRowAndDownloads();
    EXPECT_TRUE(Web3Links().empty());
}

TEST_F(HistoryActionsTest, DeleteDownloadsAsksListsTheFilesAndDeletesOnYes) {
    ListWithQvodFile("abcdefgh.rmvb");
    for (const char* name : {"abcdefgh.rmvb", "abcd-part2.rmvb", "abcx.rmvb", "ABCD.rmvb"}) Download(name);
    actions.RowRightClicked("open://1/");
    dialogs.answerYes = true;
    actions.DeleteSelectedRowAndDownloads();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.enterAnswers[0], Dialogs::Default::No);  // deleting takes a choice
    const std::string& question = dialogs.questions[0].text;
    EXPECT_EQ(question.rfind("确定要删除 [" + downloads + "] 下面的这些文件吗？\r\n\r\n", 0), 0u);
    EXPECT_NE(question.find("abcdefgh.rmvb\r\n"), std::string::npos);
    EXPECT_NE(question.find("abcd-part2.rmvb\r\n"), std::string::npos);
    EXPECT_EQ(question.find("abcx"), std::string::npos);
    EXPECT_FALSE(Downloaded("abcdefgh.rmvb"));
    EXPECT_FALSE(Downloaded("abcd-part2.rmvb"));
    EXPECT_TRUE(Downloaded("abcx.rmvb"));
    EXPECT_TRUE(Downloaded("ABCD.rmvb"));
    EXPECT_TRUE(tips.empty());
    EXPECT_EQ(Web3Links(), std::vector<std::string>{"delk://1"});
}

TEST_F(HistoryActionsTest, AnsweringNoOpensTheFolderAndStillRemovesTheRow) {
    ListWithQvodFile("abcdefgh.rmvb");
    Download("abcdefgh.rmvb");
    actions.RowRightClicked("open://1");
    actions.DeleteSelectedRowAndDownloads();
    EXPECT_TRUE(Downloaded("abcdefgh.rmvb"));
    EXPECT_EQ(shell.folders, std::vector<std::string>{downloads});
    EXPECT_EQ(Web3Links(), std::vector<std::string>{"delk://1"});
}

TEST_F(HistoryActionsTest, AnAddressWithoutBarsOnlyRemovesTheRowUnlessThisProgramDownloadedIt) {
    WriteList("date.dat", "12|星河|第1集|qvod|" + JsEscape("http://h/e1.mp4") + "|0|0|0\r\n");
    actions.RowRightClicked("open://1");
    actions.DeleteSelectedRowAndDownloads();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(Web3Links(), std::vector<std::string>{"delk://1"});
    WriteList("date.dat", "12|星河|第1集|qvod|" + JsEscape("http://h/e1.mp4") + "|0|0|0\r\n");
    Download(DownloadFileName("http://h/e1.mp4"));
    dialogs.answerYes = true;
    actions.DeleteSelectedRowAndDownloads();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_FALSE(Downloaded(DownloadFileName("http://h/e1.mp4")));
}

TEST_F(HistoryActionsTest, RowPastTheEndOfTheListOnlyAsksTheDispatcherToRemoveIt) {
    ListWithQvodFile("abcdefgh.rmvb");
    Download("abcdefgh.rmvb");
    actions.RowRightClicked("open://99999999999999999999");
    actions.DeleteSelectedRowAndDownloads();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(Downloaded("abcdefgh.rmvb"));
    EXPECT_EQ(folder.Read("date.dat").empty(), false);
}

TEST_F(HistoryActionsTest, ClearingTheWatchHistoryAsksFirst) {
    WriteList("date.dat", "12|a|b|qvod|x|0|0|0\r\n");
    actions.ClearWatchHistory();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "确定要删除全部[历史观看]列表吗？");
    EXPECT_NE(folder.Read("date.dat"), "\r\n");
    dialogs.answerYes = true;
    actions.ClearWatchHistory();
    EXPECT_EQ(folder.Read("date.dat"), "\r\n");
    EXPECT_NE(DecodeGb18030(folder.Read("c.htm")).find("暂无记录"), std::string::npos);
}

TEST_F(HistoryActionsTest, LabelClearsTheLocalListOrOpensTheTaskMenu) {
    surface.SetTextColor({ControlName::ListAction}, 0x800000);  // the pointer is over it
    actions.ListActionClicked();
    EXPECT_EQ(surface.TextColor({ControlName::ListAction}), 0x5A5A5Au);  // its colour goes back first
    EXPECT_EQ(menus.popped, std::vector<std::string>{"taskList"});
    localListLast = true;
    actions.ClearWatchHistory();  // not while the local list shows
    EXPECT_TRUE(dialogs.questions.empty());
    RemoveFile(folder.File("date_f.dat"));
    dialogs.answerYes = true;
    actions.ListActionClicked();
    EXPECT_EQ(dialogs.questions.back().text, "确定要删除全部[本地播放]列表吗？");
    EXPECT_FALSE(PathExists(folder.File("date_f.dat")));  // a missing list is not created
    WriteList("date_f.dat", "\r\n");
    actions.ListActionClicked();
    EXPECT_EQ(folder.Read("date_f.dat"), "\r\n");
    EXPECT_NE(DecodeGb18030(folder.Read("f.htm")).find("暂无记录"), std::string::npos);
}

TEST_F(HistoryActionsTest, OpeningTheDownloadFolderEndsTopMostFirst) {
    actions.ShowDownloadFolder();
    EXPECT_TRUE(shell.folders.empty());  // an empty folder is not opened
    Download("x.mp4");
    actions.ShowDownloadFolder();
    EXPECT_EQ(topMostLeft, 1);
    EXPECT_EQ(shell.folders, std::vector<std::string>{downloads});
}

}  // namespace
}  // namespace ruvo
