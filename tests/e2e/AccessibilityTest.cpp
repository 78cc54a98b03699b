// The window as a screen reader and a keyboard user meet it, end to end:
// the real program on a session bus of the test's own with the desktop's
// accessibility bus, read and driven by an AT-SPI client (pyatspi), keys
// from the X server (xdotool).
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <optional>
#include <thread>
#include <algorithm>
#include <cstring>

#include "config/SettingsFile.h"
#include "e2e/ProgramUnderTest.h"
#include "fakes/PrivateSessionBus.h"

extern char** environ;

namespace ruvo {
namespace {

using namespace std::chrono_literals;

const std::string kLongFilm = std::string(RUVO_DEMO_MEDIA) + "/tracks.mkv";  // 30 seconds
const std::string kProbe = "/usr/bin/python3 " RUVO_SOURCE_DIR "/tests/e2e/accessibility_probe.py ";
constexpr const char* kBusLauncher = "/usr/libexec/at-spi-bus-launcher";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// One object of the window as the reader lists it.
struct Spoken {
    std::string role, states, value, description;
    bool Has(const std::string& state) const { return ("," + states + ",").find("," + state + ",") != std::string::npos; }
};

class AccessibleWindow : public testing::Test {
protected:
    test::PrivateSessionBus bus;
    test::ProgramUnderTest program;
    pid_t busLauncher = -1;

    void SetUp() override {
        ASSERT_TRUE(bus.Running()) << "no dbus-daemon";
        char* argv[] = {const_cast<char*>(kBusLauncher), const_cast<char*>("--launch-immediately"), nullptr};
        ASSERT_EQ(posix_spawn(&busLauncher, kBusLauncher, nullptr, nullptr, argv, environ), 0) << "no accessibility bus";
        program.SetVariable("QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1");
    }
    void TearDown() override {
        if (program.Running()) program.Stop();
        if (busLauncher > 0) {
            kill(busLauncher, SIGTERM);
            waitpid(busLauncher, nullptr, 0);
        }
    }

    static std::string Probe(const std::string& arguments) {
        std::string text;
        if (FILE* out = popen((kProbe + arguments + " 2>&1").c_str(), "r")) {
            char chunk[4096];
            while (size_t n = std::fread(chunk, 1, sizeof chunk, out)) text.append(chunk, n);
            pclose(out);
        }
        return text;
    }
    // The window's objects by name, as the reader lists them.
    static std::map<std::string, Spoken> Tree() {
        std::map<std::string, Spoken> named;
        for (const std::string& line : Lines(Probe("tree"))) {
            std::vector<std::string> f;
            std::istringstream in(line);
            for (std::string field; std::getline(in, field, '\t');) f.push_back(field);
            f.resize(5);
            if (!f[1].empty()) named.emplace(f[1], Spoken{f[0], f[2], f[3], f[4]});
        }
        return named;
    }
    // Where the focus is after each press of `key`: "role\tname", or "page".
    static std::vector<std::string> FocusAfter(const std::string& key, int presses) {
        return Lines(Probe("focus " + key + " " + std::to_string(presses)));
    }
    void StartOnHomePage() {
        program.Start();
        ASSERT_TRUE(program.WaitForHomePage());
        ASSERT_NE(Probe("tree").find("精简模式"), std::string::npos) << "the window never reached the accessibility bus";
        ASSERT_TRUE(program.PressKeyIn("Ruvo电影影视盒", "Shift_L"));  // the keyboard's keys go to the window
    }
};

TEST_F(AccessibleWindow, EveryControlHasANameARoleAndItsState) {
    StartOnHomePage();
    auto tree = Tree();
    for (const char* button : {"播放", "停止", "上一集", "下一集", "静音", "全屏", "打开文件", "精简模式", "总在最前", "菜单",
                               "最小化", "最大化", "关闭", "隐藏左侧面板", "隐藏右侧面板", "管理任务", "搜索"}) {
        EXPECT_EQ(tree[button].role, "push button") << button;
        EXPECT_TRUE(tree[button].Has("focusable")) << button;
    }
    EXPECT_FALSE(tree["总在最前"].Has("checked"));
    EXPECT_EQ(tree["片库"].role, "page tab");
    EXPECT_TRUE(tree["片库"].Has("selected"));
    EXPECT_FALSE(tree["观看记录"].Has("selected"));
    EXPECT_EQ(tree["音量"].role, "slider");
    EXPECT_EQ(tree["音量"].value, "100/0..100");
    EXPECT_EQ(tree["播放进度"].role, "slider");
    EXPECT_EQ(tree["准备就绪"].role, "status bar");
    EXPECT_EQ(tree["00:00 / 00:00"].role, "status bar");
    EXPECT_EQ(tree["搜索影片"].role, "text");
    EXPECT_TRUE(tree["搜索影片"].Has("editable"));
    EXPECT_EQ(tree["页面加载失败，点击这里重试"].role, "alert");
    EXPECT_EQ(tree["还原"].role, "push button");  // the compact window's restore sign

    // Pressed through the reader, the states follow.
    EXPECT_NE(Probe("press 总在最前").find("pressed"), std::string::npos);
    EXPECT_NE(Probe("press 观看记录").find("pressed"), std::string::npos);
    tree = Tree();
    EXPECT_TRUE(tree["总在最前"].Has("checked"));
    EXPECT_TRUE(tree["观看记录"].Has("selected"));
    EXPECT_FALSE(tree["片库"].Has("selected"));
}

TEST_F(AccessibleWindow, PlayPauseAndVolumeActThroughTheReaderAndAreHeard) {
    FILE* heard = popen((kProbe + "listen 25 2>&1").c_str(), "r");
    ASSERT_TRUE(heard);
    char first[64] = {};
    ASSERT_TRUE(std::fgets(first, sizeof first, heard)) << "no listener";  // "listening"
    program.Start({kLongFilm});
    ASSERT_TRUE(program.WaitForTrace("player started"));
    const size_t from = program.Trace().size();
    EXPECT_NE(Probe("press 暂停").find("pressed"), std::string::npos);
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from));
    EXPECT_NE(Probe("set-value 音量 40").find("set"), std::string::npos);
    EXPECT_TRUE(program.WaitFor(
        [&] { return ReadSetting(program.ProgramFile("config.dll"), "Player", "Volume", "") == "40"; }, 5s));
    std::string events;
    char chunk[4096];
    while (size_t n = std::fread(chunk, 1, sizeof chunk, heard)) events.append(chunk, n);
    pclose(heard);
    // What plays is heard, the status line speaks, and the button now offers to play.
    EXPECT_NE(events.find("accessible-name\tlabel\ttracks.mkv"), std::string::npos) << events;
    EXPECT_NE(events.find("accessible-name\tstatus bar\t已暂停"), std::string::npos) << events;
    EXPECT_NE(events.find("accessible-name\tpush button\t播放"), std::string::npos) << events;
    EXPECT_NE(events.find("accessible-name\tstatus bar\t音量：40%"), std::string::npos) << events;
    EXPECT_NE(events.find("accessible-value\tslider\t音量"), std::string::npos) << events;
    const auto tree = Tree();
    EXPECT_EQ(tree.at("音量").value, "40/0..100");
    EXPECT_EQ(tree.at("播放进度").value.substr(tree.at("播放进度").value.find("..")), "..30");
}

TEST_F(AccessibleWindow, TabF6EnterAndArrowsWalkTheWindowInReadingOrder) {
    StartOnHomePage();
    // From the player, where the keys are at start, along the bar and on
    // through the right panel's tabs.
    const std::vector<std::string> expected{
        "slider\t播放进度",    "push button\t停止",   "push button\t上一集", "push button\t播放",
        "push button\t下一集", "push button\t静音",   "slider\t音量",         "push button\t全屏",
        "push button\t打开文件", "push button\t隐藏右侧面板", "page tab\t片库", "page tab\t观看记录",
        "page tab\t本地文件"};
    EXPECT_EQ(FocusAfter("Tab", 13), expected);
    // F6: the portal page, the player, the right panel's selected tab.
    EXPECT_EQ(FocusAfter("F6", 3), (std::vector<std::string>{"page", "filler\t播放器", "page tab\t片库"}));
    // Back from the tab to the volume slider; arrows move it.
    EXPECT_EQ(FocusAfter("shift+Tab", 4).back(), "slider\t音量");
    ASSERT_TRUE(program.PressKeys("Left Left"));
    EXPECT_TRUE(program.WaitFor(
        [&] { return ReadSetting(program.ProgramFile("config.dll"), "Player", "Volume", "") == "90"; }, 5s));
    // Enter presses the focused button: the right panel hides.
    EXPECT_EQ(FocusAfter("Tab", 3).back(), "push button\t隐藏右侧面板");
    ASSERT_TRUE(program.PressKeys("Return"));
    EXPECT_TRUE(program.WaitFor([&] { return Tree()["显示右侧面板"].role == "push button"; }, 5s));
}

// The keys stay where the person looks: the page player takes them from the
// picture, where they are at start, when it takes the centre, and gives them
// back when it closes.
TEST_F(AccessibleWindow, TheFocusFollowsWhatTheCentreShows) {
    StartOnHomePage();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    FILE* moves = popen((kProbe + "focus-moves 12 2>&1").c_str(), "r");
    ASSERT_TRUE(moves);
    char first[64] = {};
    ASSERT_TRUE(std::fgets(first, sizeof first, moves)) << "no listener";  // "listening"
    const auto nextMove = [&]() -> std::optional<std::string> {
        char line[256];
        if (!std::fgets(line, sizeof line, moves)) return std::nullopt;  // the listener's time is up
        return std::string(line, std::strcspn(line, "\n"));
    };
    size_t from = program.Trace().size();
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eetvs://']"));
    ASSERT_TRUE(program.WaitForTracePrefix("visible Pic2=1", from));
    std::vector<std::string> went;
    while (const auto move = nextMove()) {
        went.push_back(*move);
        if (*move == "page\t网页播放器") break;
    }
    ASSERT_EQ(went.empty() ? "" : went.back(), "page\t网页播放器") << testing::PrintToString(went);
    from = program.Trace().size();
    EXPECT_NE(Probe("press ×").find("pressed"), std::string::npos);  // the page player's close button
    EXPECT_TRUE(program.WaitForTracePrefix("visible Pic2=0", from));
    while (const auto move = nextMove()) went.push_back(*move);
    pclose(moves);
    EXPECT_EQ(went.back(), "filler\t播放器") << testing::PrintToString(went);
}

TEST_F(AccessibleWindow, DialogsAreReadWithTheirTextsTabsFieldsAndButtons) {
    StartOnHomePage();
    // The settings dialog, from the menu's first entry.
    const auto menu = program.TracedPlace("npc5");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(program.ClickWindow((*menu)[0] + 12, (*menu)[1] + 12));
    std::this_thread::sleep_for(800ms);
    ASSERT_TRUE(program.ClickIn("Ruvo电影影视盒", (*menu)[0] - 15 + 30, (*menu)[1] + 20 + 12));
    std::string dialog;
    EXPECT_TRUE(program.WaitFor([&] { return (dialog = Probe("dialogs")).find("软件设置") != std::string::npos; }, 10s));
    for (const char* tab : {"关于软件", "软件设置", "缓存设置"})
        EXPECT_NE(dialog.find(std::string("page tab\t") + tab + "\tfocusable,"), std::string::npos) << tab << "\n" << dialog;
    EXPECT_NE(dialog.find(",selectable,selected,"), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("text\t设置影片接收下载路径："), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("push button\t确定"), std::string::npos) << dialog;
    ASSERT_TRUE(program.PressKeyIn("软件设置", "Escape"));

    // The question the close button asks, pressed through the reader: the
    // reader's call returns while the question waits for its answer.
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_NE(Probe("press 关闭").find("pressed"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 10s) << "the reader was held by the question";
    EXPECT_TRUE(program.WaitFor([&] { return (dialog = Probe("dialogs")).find("最小化到托盘吗") != std::string::npos; }, 10s));
    EXPECT_NE(dialog.find("关闭 Ruvo影视盒 最小化到托盘吗？"), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("push button\t是"), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("push button\t否"), std::string::npos) << dialog;
    ASSERT_TRUE(program.PressKeyIn("提示：", "Return"));
}

}  // namespace
}  // namespace ruvo
