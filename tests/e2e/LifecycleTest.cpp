// The program as one desktop application, end to end: one instance with the
// command line handed over, the exit routine's order, the update prompt, the
// settings dialog and clearing a list, on the real program and windows.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>

#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "e2e/ProgramUnderTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

const std::string kMedia = std::string(RUVO_DEMO_MEDIA) + "/t15-s0-e1.mp4";
constexpr const char* kUpdateTitle = "Ruvo影视盒提示：";

class Lifecycle : public testing::Test {
protected:
    test::ProgramUnderTest program;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display for windows, keys and clicks";
    }
    std::vector<std::string> List(std::string_view name) {
        return ReadTextFileLines(program.ProgramFile(name)).value_or(std::vector<std::string>{});
    }
    // Where in the trace the first line starting with `prefix` is; -1 when none.
    long TraceIndex(const std::string& prefix) {
        const auto trace = program.Trace();
        for (size_t i = 0; i < trace.size(); ++i)
            if (trace[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
        return -1;
    }
    // The end of the trace, for failure messages.
    std::string TraceTail() {
        const auto trace = program.Trace();
        std::string tail;
        for (size_t i = trace.size() > 25 ? trace.size() - 25 : 0; i < trace.size(); ++i) tail += trace[i] + "\n";
        return tail;
    }
    bool Click(const std::string& traced, const std::string& window = "Ruvo电影影视盒") {
        const auto place = program.TracedPlace(traced);
        return place && program.ClickIn(window, (*place)[0] + (*place)[2] / 2, (*place)[1] + (*place)[3] / 2);
    }
    // A check box takes clicks on its box and caption, not on the space after them.
    bool ClickCheckBox(const std::string& traced, const std::string& window) {
        const auto place = program.TracedPlace(traced);
        return place && program.ClickIn(window, (*place)[0] + 8, (*place)[1] + (*place)[3] / 2);
    }
    void Setting(const char* key, const char* value) {
        WriteSetting(program.ProgramFile("config.dll"), "S_q", key, value);
    }
    std::string SettingOf(const char* key) { return ReadSetting(program.ProgramFile("config.dll"), "S_q", key, "0"); }
};

TEST_F(Lifecycle, SecondStartHandsItsFileToTheRunningWindowAndEnds) {
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    const auto started = std::chrono::steady_clock::now();
    const pid_t second = program.StartAnother({kMedia});
    const auto status = program.WaitForExit(second, 10s);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    ASSERT_TRUE(status) << "the second start did not end";
    EXPECT_EQ(*status, 0);
    EXPECT_LT(took, 2s) << "the second start took " << took.count() << " ms";
    std::printf("second start ended after %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_TRUE(program.WaitForTrace("text bo_name=t15-s0-e1.mp4"));
    EXPECT_TRUE(program.WaitForTrace("player started"));
    ASSERT_FALSE(List("date_f.dat").empty());
    EXPECT_EQ(List("date_f.dat")[0], "t15-s0-e1.mp4|" + kMedia + "|0");
    EXPECT_TRUE(program.Running());
}

// Handed-over items that cannot play say why, in the status line and the
// tray's tip, and never "播放完毕"; a file that is not there is not listed.
TEST_F(Lifecycle, AnItemThatCannotPlaySaysWhyAndAMissingFileIsNotListed) {
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    const std::string host = program.PortalBase().substr(0, program.PortalBase().find("/box/"));
    const size_t from = program.Trace().size();
    ASSERT_TRUE(program.WaitForExit(program.StartAnother({host + "/media/no-such-clip.mp4"}), 10s));
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=无法播放：找不到文件(404)", from, 20s)) << TraceTail();
    EXPECT_TRUE(program.WaitForTracePrefix("tip 无法播放：找不到文件(404)", from, 5s));
    std::this_thread::sleep_for(2s);  // two status ticks
    const auto lines = program.Trace();
    for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "text zhun=播放完毕");
    const std::string missing = program.Home().File("home/gone.mp4");
    ASSERT_TRUE(program.WaitForExit(program.StartAnother({missing}), 10s));
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=无法播放：文件不存在", from, 20s)) << TraceTail();
    for (const std::string& line : List("date_f.dat")) EXPECT_EQ(line.find("gone.mp4"), std::string::npos) << line;
}

TEST_F(Lifecycle, TwoStartsRacingEndWithExactlyOneInstance) {
    const pid_t a = program.StartAnother({});
    const pid_t b = program.StartAnother({});
    std::this_thread::sleep_for(8s);
    const bool aEnded = program.WaitForExit(a, 1ms).has_value();
    const bool bEnded = program.WaitForExit(b, 1ms).has_value();
    EXPECT_NE(aEnded, bEnded) << "exactly one of the two must still run";
    for (const pid_t pid : {a, b}) kill(pid, SIGKILL);
    program.WaitForExit(a, 5s);
    program.WaitForExit(b, 5s);
}

// A start while the last window is closing (here it shows the
// recommendation window for 20 s) is not handed to the closing copy: it
// waits for that one to end, asks it to end when it lingers, and opens its
// own window, which plays its file.
TEST_F(Lifecycle, AStartWhileTheLastOneClosesOpensItsOwnWindow) {
    program.Portal().FaultSwitches().SetUpdateField(0, "1");  // the recommendation window at exit
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/lib/wen.txt"); }, 20s));
    std::this_thread::sleep_for(500ms);
    Setting("ts", "1");
    Setting("quit", "1");  // the close button exits
    const pid_t closing = program.Pid();
    ASSERT_TRUE(Click("npc2"));
    ASSERT_TRUE(program.WaitForTrace("unload BA1", 10s));
    const size_t from = program.Trace().size();
    const pid_t next = program.StartAnother({kMedia});
    EXPECT_TRUE(program.WaitForExit(closing, 20s));
    EXPECT_TRUE(program.WaitForTracePrefix("text bo_name=t15-s0-e1.mp4", from, 30s)) << TraceTail();
    EXPECT_FALSE(program.WaitForExit(next, 1ms)) << "the new start ended without a window";
    kill(next, SIGTERM);
    program.WaitForExit(next, 20s);
}

TEST_F(Lifecycle, ExitStopsWithThePositionSavedThenClosesEverything) {
    program.Start({kMedia});  // a first start with an argument plays it too
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:02")) << "the command-line item never played";
    Setting("ts", "1");
    Setting("quit", "1");  // the close button exits
    ASSERT_TRUE(Click("npc2"));
    const auto status = program.WaitForExit(program.Pid(), 20s);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status << "\n" << TraceTail();
    const long tray = TraceIndex("tray removed"), stop = TraceIndex("text zhun=已停止");
    const long tip = TraceIndex("unload tip"), main = TraceIndex("unload BA1"), end = TraceIndex("end");
    EXPECT_GE(tray, 0);
    EXPECT_LT(tray, stop);
    EXPECT_LT(stop, tip);
    EXPECT_LT(tip, main);
    EXPECT_LT(main, end);
    ASSERT_FALSE(List("date_f.dat").empty());
    const std::string line = List("date_f.dat")[0];
    EXPECT_EQ(line.rfind("t15-s0-e1.mp4|" + kMedia + "|", 0), 0u);
    EXPECT_GE(std::atoi(line.substr(line.rfind('|') + 1).c_str()), 1) << line;
}

TEST_F(Lifecycle, CurrentVersionAsksNothing) {
    program.Start();
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/lib/wen.txt"); }, 30s));
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(TraceIndex("ask "), -1);
}

TEST_F(Lifecycle, NewVersionDeclinedShowsTheFloatingAdLater) {
    program.Portal().FaultSwitches().SetUpdateText("1====1====1====1====1.1\r\n");
    program.Start();
    ASSERT_TRUE(program.WaitForTrace(std::string("ask ") + kUpdateTitle + " 检测到最新版本 1.1 ,你需要现在升级吗？"));
    ASSERT_TRUE(program.PressKeyIn(kUpdateTitle, "Escape"));
    EXPECT_TRUE(program.WaitForTrace("answer no"));
    EXPECT_TRUE(program.WaitForTrace("show adsb", 30s));
    EXPECT_TRUE(program.Running());
}

TEST_F(Lifecycle, NewVersionAcceptedRunsTheUpdaterAndExits) {
    const std::string updater = program.ProgramFile("update.exe");
    WriteTextFile(updater, "#!/bin/sh\necho ran > \"" + program.ProgramFile("updated") + "\"\n");
    chmod(updater.c_str(), 0755);
    program.Portal().FaultSwitches().SetUpdateText("1====0====0====0====2.0");
    program.Start();
    ASSERT_TRUE(program.WaitForTrace(std::string("ask ") + kUpdateTitle + " 检测到最新版本 2.0 ,你需要现在升级吗？"));
    ASSERT_TRUE(program.PressKeyIn(kUpdateTitle, "alt+y"));
    EXPECT_TRUE(program.WaitForExit(program.Pid(), 20s));
    EXPECT_TRUE(program.WaitFor([&] { return PathExists(program.ProgramFile("updated")); }, 5s));
    EXPECT_EQ(TraceIndex("show ba4"), -1);  // accepting an update shows no recommendation
}

TEST_F(Lifecycle, SettingsDialogApplyWritesTheEightKeys) {
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    for (const char* key : {"quit", "qvodk", "s_size", "s_h", "s_bo", "s_jd", "qvodqi", "s_pao"}) Setting(key, "5");
    ASSERT_TRUE(Click("npc5"));
    std::this_thread::sleep_for(800ms);
    // The menu pops up 15 pixels left of the button and 20 below its top;
    // "软件设置" is its first entry.
    const auto button = program.TracedPlace("npc5");
    ASSERT_TRUE(program.ClickIn("Ruvo电影影视盒", (*button)[0] - 15 + 30, (*button)[1] + 20 + 12));
    ASSERT_TRUE(ClickCheckBox("Check1_8", "软件设置")) << "the dialog never showed\n" << TraceTail();
    ASSERT_TRUE(Click("cmdApply", "软件设置"));
    EXPECT_TRUE(program.WaitFor([&] { return SettingOf("s_pao") == "1"; }, 10s));
    for (const char* key : {"quit", "qvodk", "s_size", "s_h", "s_bo", "s_jd", "qvodqi"}) EXPECT_EQ(SettingOf(key), "2") << key;
}

TEST_F(Lifecycle, ClearingTheLocalListAsksThenEmptiesIt) {
    program.Start({kMedia});
    ASSERT_TRUE(program.WaitForTrace("player started"));
    ASSERT_FALSE(List("date_f.dat")[0].empty());
    ASSERT_TRUE(Click("npc8"));
    ASSERT_TRUE(program.WaitForTrace("text qk=∴ 清空列表"));
    ASSERT_TRUE(Click("qk"));
    ASSERT_TRUE(program.WaitForTrace("ask 提示： 确定要删除全部[本地播放]列表吗？"));
    ASSERT_TRUE(program.PressKeyIn("提示：", "alt+y"));
    EXPECT_TRUE(program.WaitFor([&] { return List("date_f.dat") == std::vector<std::string>{""}; }, 10s));
}

}  // namespace
}  // namespace ruvo
