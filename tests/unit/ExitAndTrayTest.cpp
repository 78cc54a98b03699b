#include <gtest/gtest.h>

#include "app/ExitProgram.h"
#include "fakes/WindowFixture.h"
#include "settings/SettingsDialog.h"
#include "shell/TipMenus.h"
#include "shell/TitleButtons.h"
#include "shell/TrayClicks.h"

namespace ruvo {
namespace {

class ExitAndTray : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
};

TEST_F(ExitAndTray, TrayIconIsAddedAtLoadWithTheCaption) {
    EXPECT_EQ(tray.calls, std::vector<std::string>{"add"});
    EXPECT_EQ(tray.tooltip, "Ruvo电影影视盒");
}

TEST_F(ExitAndTray, ExitRemovesTheIconFirstSavesThePositionAndClosesEveryWindow) {
    PlayingLocalFile(42);
    timers.Advance(1000);
    player.calls.clear();
    User().menuEntryChosen("quit");
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"add", "remove"}));
    EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});
    EXPECT_EQ(folder.Read("date_f.dat"), LocalLine(42));
    EXPECT_EQ(forms.steps,
              (std::vector<std::string>{"unload tip", "unload adsb", "unload BA3", "unload BA1", "unload ba4", "end"}));
}

TEST_F(ExitAndTray, ExitShowsTheRecommendationWhenTheUpdateFileAskedForIt) {
    fetch.replies["http://127.0.0.1:8790/box/lib/wen.txt"] = "1====0";  // the update file asks for it
    timers.Advance(6000);
    User().menuEntryChosen("quit");
    EXPECT_EQ(forms.steps.back(), "recommendation");
    EXPECT_EQ(std::count(forms.steps.begin(), forms.steps.end(), "end"), 0);
}

TEST_F(ExitAndTray, CloseButtonAsksOnceThenFollowsTheAnswer) {
    ASSERT_EQ(SettingOf("ts"), "3");
    dialogs.answerYes = true;
    User().buttonClick(WindowButton::Close);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "关闭 Ruvo影视盒 最小化到托盘吗？");
    EXPECT_EQ(dialogs.questions[0].title, "提示：");
    // Enter keeps the program: a reflexive Enter must not exit it for good.
    EXPECT_EQ(dialogs.enterAnswers[0], Dialogs::Default::Yes);
    EXPECT_EQ(SettingOf("ts"), "1");
    EXPECT_EQ(SettingOf("quit"), "2");
    EXPECT_EQ(host.calls, std::vector<std::string>{"hide"});
    EXPECT_TRUE(forms.steps.empty());
    host.Show();
    User().buttonClick(WindowButton::Close);
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_FALSE(host.visible);
}

TEST_F(ExitAndTray, CloseButtonExitsWhenTheAnswerWasNo) {
    dialogs.answerYes = false;
    User().buttonClick(WindowButton::Close);
    EXPECT_EQ(SettingOf("quit"), "1");
    EXPECT_EQ(forms.steps.back(), "end");
    forms.steps.clear();
    User().buttonClick(WindowButton::Close);  // later closes exit without asking
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(forms.steps.back(), "end");
}

TEST_F(ExitAndTray, WithoutATrayTheWindowIsMinimisedInsteadOfHidden) {
    tray.available = false;
    Setting("ts", "1");
    Setting("quit", "2");
    User().buttonClick(WindowButton::Close);
    EXPECT_EQ(host.calls, std::vector<std::string>{"minimize"});
    EXPECT_TRUE(host.visible);
}

TEST_F(ExitAndTray, LeftClicksRestoreHideAndShow) {
    host.minimized = true;
    User().trayClick();
    EXPECT_FALSE(host.minimized);
    User().trayClick();
    EXPECT_FALSE(host.visible);
    User().trayClick();
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"normal", "hide", "show"}));
    User().trayMenu();
    EXPECT_EQ(menus.popped, std::vector<std::string>{"tray"});
}

TEST_F(ExitAndTray, TrayEntriesDoTheirActions) {
    User().menuEntryChosen("makerHomePage");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:8790/"});
    User().menuEntryChosen("checkUpdate");
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "你现在使用的是最新版本，无需升级！");
    User().menuEntryChosen("about");
    EXPECT_TRUE(settingsView.open);
    EXPECT_EQ(settingsView.tab, 0);
    EXPECT_EQ(settingsView.header, "关于软件");
    User().menuEntryChosen("settings");
    EXPECT_EQ(settingsView.tab, 1);
    User().menuEntryChosen("quit");
    EXPECT_EQ(forms.steps.back(), "end");
}

TEST_F(ExitAndTray, SettingsFromAHiddenTopMostWindowShowItAndKeepItTopMost) {
    User().buttonClick(WindowButton::TopMost);
    EXPECT_TRUE(host.topMost);
    host.Hide();
    host.calls.clear();
    User().menuEntryChosen("about");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"topmost:0", "show", "topmost:1"}));
    EXPECT_TRUE(host.topMost);
    EXPECT_TRUE(settingsView.open);
}

TEST_F(ExitAndTray, MenuButtonPopsTheTrayMenuBesideIt) {
    controls.Move({ControlName::WindowButton, 5}, {700, 4, 24, 24});
    User().buttonClick(WindowButton::Menu);
    EXPECT_EQ(menus.popped, std::vector<std::string>{"tray@685,24"});
}

}  // namespace
}  // namespace ruvo
