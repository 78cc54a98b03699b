// The borderless window under a real window manager (openbox on the test
// display): maximise and restore by double clicks, resize from the border with
// the size saved, compact mode and back to the saved size.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "config/SettingsFile.h"
#include "e2e/ProgramUnderTest.h"

extern char** environ;

namespace ruvo {
namespace {

using namespace std::chrono_literals;
constexpr int kTwipsPerPixel = 15;  // the test display's 96 dpi

class WindowShellOnDesktop : public testing::Test {
protected:
    test::ProgramUnderTest program;
    pid_t windowManager_ = -1;
    pid_t trayHost_ = -1;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        char* argv[] = {const_cast<char*>("openbox"), const_cast<char*>("--sm-disable"), nullptr};
        if (posix_spawnp(&windowManager_, "openbox", nullptr, nullptr, argv, environ) != 0)
            GTEST_SKIP() << "openbox is not installed";
        char* tray[] = {const_cast<char*>("trayer"), const_cast<char*>("--edge"), const_cast<char*>("bottom"),
                        const_cast<char*>("--align"), const_cast<char*>("right"), nullptr};
        if (posix_spawnp(&trayHost_, "trayer", nullptr, nullptr, tray, environ) != 0) trayHost_ = -1;
        std::this_thread::sleep_for(1s);
        program.Start();
        ASSERT_TRUE(program.WaitForHomePage());
        ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().has_value(); }, 10s));
    }
    void TearDown() override {
        program.Stop();
        for (const pid_t helper : {windowManager_, trayHost_}) {
            if (helper <= 0) continue;
            kill(helper, SIGTERM);
            waitpid(helper, nullptr, 0);
        }
    }
    std::array<int, 4> Geometry() { return program.WindowGeometry().value_or(std::array<int, 4>{-1, -1, -1, -1}); }
    // Waits until the window's size satisfies `wanted`.
    bool WaitForSize(const std::function<bool(int, int)>& wanted) {
        return program.WaitFor([&] {
            const auto g = Geometry();
            return wanted(g[2], g[3]);
        }, 10s);
    }
    std::string SettingOf(const char* key) { return ReadSetting(program.ProgramFile("config.dll"), "S_q", key, "0"); }
};

TEST_F(WindowShellOnDesktop, DoubleClickOnTheTitleBarMaximisesToTheWorkAreaAndBack) {
    const auto normal = Geometry();
    ASSERT_TRUE(program.DoubleClickIn("Ruvo电影影视盒", 400, 15));
    EXPECT_TRUE(WaitForSize([](int w, int h) { return w == 1600 && h == 1000; })) << Geometry()[2];
    ASSERT_TRUE(program.DoubleClickIn("Ruvo电影影视盒", 400, 15));
    EXPECT_TRUE(WaitForSize([&](int w, int h) { return w == normal[2] && h == normal[3]; })) << Geometry()[2];
}

TEST_F(WindowShellOnDesktop, BorderDragResizesAndSavesTheSizeInTwips) {
    const auto before = Geometry();
    const int edgeX = before[0] + before[2] - 2, edgeY = before[1] + before[3] / 2;
    ASSERT_TRUE(program.DragOnScreen(edgeX, edgeY, edgeX + 120, edgeY));
    ASSERT_TRUE(WaitForSize([&](int w, int) { return w >= before[2] + 100; })) << Geometry()[2];
    const int width = Geometry()[2];
    EXPECT_TRUE(program.WaitFor([&] { return SettingOf("h_w") == std::to_string(width * kTwipsPerPixel); }, 5s))
        << SettingOf("h_w") << " for " << width;
    // The height is written right after the width (a second write): wait for it too.
    EXPECT_TRUE(program.WaitFor([&] { return SettingOf("h_h") == std::to_string(before[3] * kTwipsPerPixel); }, 5s))
        << SettingOf("h_h");
}

TEST_F(WindowShellOnDesktop, SurfaceDragMovesTheWindow) {
    const auto before = Geometry();
    ASSERT_TRUE(program.DragOnScreen(before[0] + 400, before[1] + 15, before[0] + 500, before[1] + 115));
    EXPECT_TRUE(program.WaitFor([&] { return Geometry()[0] >= before[0] + 80; }, 5s)) << before[0] << " to " << Geometry()[0];
    EXPECT_EQ(Geometry()[2], before[2]);
}

// A click on the border, or a drag released before the window manager has
// taken the pointer, leaves nothing behind: the window does not go on
// following the pointer after the button is up.
TEST_F(WindowShellOnDesktop, AClickOrAQuickDragLeavesNoMoveBehind) {
    const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
    const auto before = Geometry();
    const int edgeX = before[0] + before[2] - 2, edgeY = before[1] + before[3] / 2;
    ASSERT_TRUE(program.PointerActions("mousemove " + at(edgeX, edgeY) + " sleep 0.3 click 1 sleep 0.3 mousemove " +
                                       at(edgeX + 150, edgeY) + " sleep 0.5 mousemove " + at(edgeX + 200, edgeY + 60) +
                                       " sleep 1"));
    EXPECT_EQ(Geometry(), before) << "a border click resized the window";
    // A quick drag, and one with pauses (as a hand does it): each ends with its release.
    for (const std::string pause : {"", " sleep 0.25"}) {
        const auto start = Geometry();
        const int titleX = start[0] + 400, titleY = start[1] + 15;
        ASSERT_TRUE(program.PointerActions("mousemove " + at(titleX, titleY) + " sleep 0.3 mousedown 1" + pause +
                                           " mousemove " + at(titleX + 12, titleY + 7) + pause + " mousemove " +
                                           at(titleX + 90, titleY + 65) + pause + " mousemove " +
                                           at(titleX + 140, titleY + 105) + pause + " mouseup 1 sleep 0.7"));
        const auto dropped = Geometry();
        ASSERT_TRUE(program.PointerActions("mousemove " + at(titleX + 500, titleY + 300) + " sleep 0.5 mousemove " +
                                           at(titleX - 200, titleY + 100) + " sleep 1"));
        EXPECT_EQ(Geometry(), dropped) << "the window followed the pointer after the release" << pause;
        EXPECT_LE(std::abs(dropped[0] - (start[0] + 140)), 20) << pause;
        EXPECT_EQ(dropped[2], start[2]);
    }
}

// Dragged somewhere, hidden to the tray and shown again: the same place.
TEST_F(WindowShellOnDesktop, TrayOutAndInKeepsThePlace) {
    const auto tray = program.TracedPlace("tray");
    if (!tray || (*tray)[2] <= 0) GTEST_SKIP() << "no tray host";
    const auto before = Geometry();
    ASSERT_TRUE(program.DragOnScreen(before[0] + 400, before[1] + 15, before[0] + 300, before[1] + 115));
    ASSERT_TRUE(program.WaitFor([&] { return Geometry()[1] >= before[1] + 80; }, 5s));
    std::this_thread::sleep_for(500ms);
    const auto dragged = Geometry();
    const std::string icon = std::to_string((*tray)[0] + (*tray)[2] / 2) + " " + std::to_string((*tray)[1] + (*tray)[3] / 2);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(program.PointerActions("mousemove " + icon + " sleep 0.3 click 1"));
        ASSERT_TRUE(program.WaitFor([&] { return !program.WindowGeometry().has_value(); }, 5s)) << "not hidden";
        ASSERT_TRUE(program.PointerActions("mousemove " + icon + " sleep 0.3 click 1"));
        ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().has_value(); }, 5s)) << "not shown";
        std::this_thread::sleep_for(500ms);
        EXPECT_EQ(Geometry(), dragged) << "round " << round;
    }
}

TEST_F(WindowShellOnDesktop, CompactModeAndBackToTheSavedSizeCentred) {
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "h_w", "15000");
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "h_h", "9000");
    const auto place = program.TracedPlace("npc3");
    ASSERT_TRUE(place);
    ASSERT_TRUE(program.ClickWindow((*place)[0] + 12, (*place)[1] + 12));
    ASSERT_TRUE(WaitForSize([](int w, int h) { return w == 387 && h == 320; })) << Geometry()[2] << "x" << Geometry()[3];
    std::this_thread::sleep_for(700ms);  // the compact layout follows the new size
    // The restore label sits 10 pixels from the right edge at the top.
    ASSERT_TRUE(program.ClickWindow(387 - 14, 9));
    ASSERT_TRUE(WaitForSize([](int w, int h) { return w == 1000 && h == 600; })) << Geometry()[2] << "x" << Geometry()[3];
    const auto g = Geometry();
    EXPECT_NEAR(g[0], (1600 - 1000) / 2, 2);
    EXPECT_NEAR(g[1], (1000 - 600) / 2, 2);
}

}  // namespace
}  // namespace ruvo
