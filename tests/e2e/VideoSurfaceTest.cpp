// What the user sees of the picture while the window is used: screenshots of
// the test display after each window operation, with the picture of the
// sample media (colourful and moving) inside the player area the program
// laid out, nothing of it outside, moving while playing and still while
// paused. Under openbox, sized from the screen the display has.
#include "config/TextFile.h"
#include "e2e/VideoSurfaceFixture.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;
using test::Box;
using test::PictureIn;
using test::Screenshot;
using test::Shrunk;
using test::TakeScreenshot;
using test::VideoSurface;

TEST_F(VideoSurface, ThePictureStaysInThePlayerAreaThroughWindowOperations) {
    ExpectPictureInPlayerArea("first play");

    ClickPlace("npc4");  // top-most on: the window system is told, the window stays
    EXPECT_TRUE(program.WaitForTrace("tooltip npc4=取消置顶", 5s));
    ExpectPictureInPlayerArea("top-most on");
    ClickPlace("npc4");
    EXPECT_TRUE(program.WaitForTrace("tooltip npc4=置顶", 5s));
    ExpectPictureInPlayerArea("top-most off");

    const Box area = PlayerArea();
    ClickPlace("npc10");  // the left panel hides: the area grows
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width > area.width; }, 5s));
    ExpectPictureInPlayerArea("left panel hidden");

    std::system("xdotool search --onlyvisible --name '^Ruvo电影影视盒$' windowminimize >/dev/null 2>&1");
    std::this_thread::sleep_for(1500ms);
    std::system("xdotool search --name '^Ruvo电影影视盒$' windowactivate >/dev/null 2>&1");
    ExpectPictureInPlayerArea("minimised and restored");

    // Hidden to the tray by a click on its icon, and shown again the same way.
    const auto tray = program.TracedPlace("tray");
    if (!tray || (*tray)[2] <= 0) return;  // no tray host on this display
    const std::string icon = std::to_string((*tray)[0] + (*tray)[2] / 2) + " " + std::to_string((*tray)[1] + (*tray)[3] / 2);
    std::system(("xdotool mousemove " + icon + " click 1 >/dev/null 2>&1").c_str());
    ASSERT_TRUE(program.WaitFor([&] { return !program.WindowGeometry().has_value(); }, 5s));
    std::this_thread::sleep_for(1s);
    std::system(("xdotool mousemove " + icon + " click 1 >/dev/null 2>&1").c_str());
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().has_value(); }, 5s));
    ExpectPictureInPlayerArea("hidden to the tray and back");
}

// (A test of its own: the film lasts 30 s.)
TEST_F(VideoSurface, ThePictureFollowsAResizeAMaximiseAndTheRestore) {
    // The title's buttons keep their distance from the right edge.
    const auto maximise = program.TracedPlace("npc1");
    ASSERT_TRUE(maximise);
    const int fromRightEdge = program.WindowGeometry().value_or(std::array<int, 4>{})[2] - (*maximise)[0];
    const auto clickMaximise = [&] {
        const int width = program.WindowGeometry().value_or(std::array<int, 4>{})[2];
        return program.ClickWindow(width - fromRightEdge + 12, (*maximise)[1] + 12);
    };
    const Box before = PlayerArea();  // a resize by the window system, as a border drag makes
    std::system("xdotool search --onlyvisible --name '^Ruvo电影影视盒$' windowsize 1150 760 >/dev/null 2>&1");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().height > before.height; }, 5s));
    ExpectPictureInPlayerArea("resized");

    const int screenWidth = TakeScreenshot().width;
    ASSERT_TRUE(clickMaximise());
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] >= screenWidth - 2; }, 5s));
    ExpectPictureInPlayerArea("maximised");
    ASSERT_TRUE(clickMaximise());  // restored by the same button
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < screenWidth - 2; }, 5s));
    ExpectPictureInPlayerArea("restored");
}

TEST_F(VideoSurface, ThePictureFillsTheScreenInFullScreenAndComesBack) {
    ClickFullScreenButton();
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    ExpectPictureInPlayerArea("full screen");
    const size_t from = program.Trace().size();
    PressOnScreen("Down");  // the shortcuts work in full screen too
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：90%", from, 5s));
    PressOnScreen("Escape");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width < TakeScreenshot().width; }, 5s));
    ExpectPictureInPlayerArea("back from full screen with Esc");

    const Box area = PlayerArea();
    const std::string middle = std::to_string(area.left + area.width / 2) + " " + std::to_string(area.top + area.height / 2);
    DoubleClickOnScreen(middle);
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    ExpectPictureInPlayerArea("full screen by a double click");
    DoubleClickOnScreen(middle);
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == area.width; }, 5s));
    const auto window = program.WindowGeometry();
    ExpectPictureInPlayerArea("back by a double click, the window not maximised");
    EXPECT_LT((*window)[2], TakeScreenshot().width);
}

// The bar's own full-screen button leaves full screen, as F and Esc do.
TEST_F(VideoSurface, TheBarsFullScreenButtonLeavesFullScreen) {
    const Box area = PlayerArea();
    ClickFullScreenButton();
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    std::this_thread::sleep_for(1s);  // the button's place in full screen is traced
    ClickPlace("bo_but3");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == area.width; }, 5s)) << "still in full screen";
    ExpectPictureInPlayerArea("back by the bar's button");
}

// A film that ends in full screen leaves its cover there, never a screen
// without a way out: moving the mouse brings the bar, a double click leaves.
TEST_F(VideoSurface, AFilmThatEndsInFullScreenKeepsAWayOut) {
    ClickFullScreenButton();
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    PressOnScreen("Right Right");  // the 30-second film ends soon
    ASSERT_TRUE(program.WaitForTrace("text zhun=播放完毕", 25s));
    std::system("xdotool mousemove 5 5 >/dev/null 2>&1");
    std::this_thread::sleep_for(2500ms);  // the bar hides after two seconds of rest: a time of the design
    const Screenshot resting = TakeScreenshot();
    std::system("xdotool mousemove 400 300 mousemove 420 320 >/dev/null 2>&1");
    Screenshot moved;
    const Box foot{0, resting.height - 60, resting.width, 60};
    EXPECT_TRUE(program.WaitFor([&] {
        moved = TakeScreenshot();
        return resting.Difference(moved, foot) > 3.0;
    }, 3s)) << "moving the mouse brought no bar";
    DoubleClickOnScreen("420 320");
    EXPECT_TRUE(program.WaitFor([&] { return PlayerArea().width < TakeScreenshot().width; }, 5s)) << "still in full screen";
}

TEST_F(VideoSurface, TheWheelOverThePictureSetsTheVolumeAndFTogglesFullScreen) {
    ASSERT_TRUE(WaitForPlayed(0, 1));
    const Box area = PlayerArea();
    const std::string middle = std::to_string(area.left + area.width / 2) + " " + std::to_string(area.top + area.height / 2);
    std::system(("xdotool mousemove " + middle + " >/dev/null 2>&1").c_str());
    std::this_thread::sleep_for(200ms);
    const size_t from = program.Trace().size();
    std::system("xdotool click 5 sleep 0.1 click 5 >/dev/null 2>&1");  // two notches down
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：95%", from, 5s));
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：90%", from, 5s));
    PressOnScreen("f");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    ExpectPictureInPlayerArea("full screen by F");
    PressOnScreen("f");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == area.width; }, 5s));
    ExpectPictureInPlayerArea("back from full screen by F");
}

TEST_F(VideoSurface, PausedThePictureStaysAndStandsStill) {
    ASSERT_TRUE(WaitForPlayed(0, 1));
    ASSERT_TRUE(program.PressKey("space"));
    ASSERT_TRUE(program.WaitForTrace("text zhun=已暂停", 10s));
    std::this_thread::sleep_for(1s);
    const Box picture = Shrunk(PictureIn(PlayerArea()), 12);
    const Screenshot first = TakeScreenshot();
    std::this_thread::sleep_for(1s);
    const Screenshot second = TakeScreenshot();
    ASSERT_GT(first.width, 0);
    EXPECT_GT(first.ColourfulShare(picture), 0.5) << "the paused frame is not shown";
    EXPECT_LT(first.Difference(second, picture), 0.5) << "the picture moves while paused";
}

// Keys typed into a text field are the field's; a click on the picture gives
// them back to the player (they went on into the field).
TEST_F(VideoSurface, AClickOnThePictureGivesTheKeysBackToThePlayer) {
    ASSERT_TRUE(WaitForPlayed(0, 1));
    ClickPlace("soso", 20, 7);  // the search box
    size_t from = program.Trace().size();
    PressOnScreen("space");
    std::this_thread::sleep_for(1s);
    for (size_t i = from; i < program.Trace().size(); ++i) EXPECT_NE(program.Trace()[i], "text zhun=已暂停");
    const Box area = PlayerArea();
    std::system(("xdotool mousemove " + std::to_string(area.left + area.width / 2) + " " +
                 std::to_string(area.top + area.height / 2) + " >/dev/null 2>&1").c_str());
    std::this_thread::sleep_for(200ms);
    std::system("xdotool click 1 >/dev/null 2>&1");
    from = program.Trace().size();
    PressOnScreen("space");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from, 5s));
}

// The keys were in the right panel's page when the compact window hid it:
// they go to the picture, and Space pauses there instead of pressing the
// restore sign.
TEST_F(VideoSurface, TheKeysOfAPaneTheCompactWindowHidesGoToThePicture) {
    ASSERT_TRUE(WaitForPlayed(0, 1));
    ClickPlace("npc7", 10, 80);  // into the watch history's page
    ClickPlace("npc3");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 500; }, 5s));
    const size_t from = program.Trace().size();
    PressOnScreen("space");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from, 5s));
    for (size_t i = from; i < program.Trace().size(); ++i) EXPECT_NE(program.Trace()[i], "visible RightPanel=1");
}

TEST_F(VideoSurface, CompactModeShowsThePictureInTheSmallWindow) {
    const int normalWidth = program.WindowGeometry().value_or(std::array<int, 4>{})[2];
    ClickPlace("npc3");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 500; }, 5s));
    ExpectPictureInPlayerArea("compact mode");
    std::this_thread::sleep_for(500ms);
    // Back by the restore label, 10 pixels from the right edge at the top.
    const int compactWidth = program.WindowGeometry().value_or(std::array<int, 4>{})[2];
    ASSERT_TRUE(program.ClickWindow(compactWidth - 14, 9));
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] >= normalWidth; }, 5s));
    ExpectPictureInPlayerArea("back from compact mode");
}

// At 200 % the picture is drawn at the device's pixels and fills the whole
// area (drawn at logical pixels it would fill a quarter of it). Compact mode
// keeps the window within the test screen.
class VideoSurfaceAt200 : public VideoSurface {
protected:
    void SetUp() override { StartPlaying(2); }
};

TEST_F(VideoSurfaceAt200, ThePictureIsDrawnAtDevicePixelsAndFillsTheArea) {
    ClickPlace("npc3");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 1000; }, 5s));
    ExpectPictureInPlayerArea("compact mode at 200 %");
}

TEST_F(VideoSurface, RapidFullScreenTogglingEndsInTheWindowWithThePicture) {
    const Box area = PlayerArea();
    ClickFullScreenButton();  // the pointer is over the button from now on
    PressOnScreen("Escape");
    for (int i = 0; i < 9; ++i) {  // 20 toggles in about 2 s: in by the button, out by Esc
        std::system("xdotool click 1 >/dev/null 2>&1");
        std::this_thread::sleep_for(50ms);
        PressOnScreen("Escape");
    }
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == area.width; }, 5s));
    ExpectPictureInPlayerArea("after 20 quick toggles");
}

// Top-most switched on while the first frame is on its way: the window
// system is told at once, and the picture comes in its area.
class VideoSurfaceTopMostAtOnce : public VideoSurface {
protected:
    void SetUp() override { StartPlaying(1, [this] { ClickPlace("npc4"); }); }
};

TEST_F(VideoSurfaceTopMostAtOnce, ThePictureComesInItsArea) {
    EXPECT_TRUE(program.WaitForTrace("tooltip npc4=取消置顶", 5s));
    ExpectPictureInPlayerArea("top-most during the first frame");
}

// Media that are not what the player usually gets, handed over by second
// starts while the film plays: a picture that changes size mid-stream, a file
// that is no media, a sound without a picture. The picture stays in its area,
// nothing stops the program, and the film plays again afterwards.
class VideoSurfaceBadMedia : public VideoSurface {
protected:
    std::string Make(const std::string& name, const std::string& ffmpegArguments) {
        const std::string path = program.Home().File(name);
        std::system(("ffmpeg -nostdin -loglevel error -y " + ffmpegArguments + " " + path).c_str());
        return path;
    }
    std::string Segment(const std::string& name, const char* size, int seconds) {
        return Make(name, std::string("-f lavfi -i testsrc2=size=") + size + ":rate=25:duration=" + std::to_string(seconds) +
                              " -c:v libx264 -pix_fmt yuv420p -f mpegts");
    }
    void HandOver(const std::string& path) { ASSERT_TRUE(program.WaitForExit(program.StartAnother({path}), 10s)); }
};

TEST_F(VideoSurfaceBadMedia, SizeChangeBrokenFileAndSoundOnly) {
    // The larger part lasts long enough for its picture to be looked at twice.
    const std::string small = Segment("small.ts", "320x180", 3), large = Segment("large.ts", "640x360", 7);
    const std::string resized = Make("resized.ts", "-i 'concat:" + small + "|" + large + "' -c copy");
    const std::string broken = program.Home().File("broken.mp4");
    ASSERT_TRUE(WriteTextFile(broken, std::string(65536, '\x5a')));
    const std::string tone = Make("tone.m4a", "-f lavfi -i sine=frequency=440:duration=4 -c:a aac");

    size_t from = program.Trace().size();
    HandOver(resized);
    ASSERT_TRUE(WaitForPlayed(from, 1));
    ExpectPictureInPlayerArea("320 x 180, before the size changes");
    ASSERT_TRUE(WaitForPlayed(from, 4));
    ExpectPictureInPlayerArea("640 x 360, after it changed");

    from = program.Trace().size();
    HandOver(broken);
    std::this_thread::sleep_for(3s);
    EXPECT_TRUE(program.Running());
    for (size_t i = from; i < program.Trace().size(); ++i) EXPECT_NE(program.Trace()[i], "player started");

    from = program.Trace().size();
    HandOver(tone);
    EXPECT_TRUE(WaitForPlayed(from, 2)) << "the sound does not play";
    EXPECT_TRUE(program.Running());

    from = program.Trace().size();
    HandOver(resized);
    ASSERT_TRUE(WaitForPlayed(from, 1));
    ExpectPictureInPlayerArea("a picture again after the sound");
}

// The OpenGL kind of picture, which a machine with a graphics card gets (the
// program chooses software where OpenGL itself runs in software, as here).
class VideoSurfaceWithOpenGl : public VideoSurface {
protected:
    void SetUp() override {
        program.SetVariable("RUVO_PICTURE=opengl");
        StartPlaying(1);
    }
};

// (Full screen is left out here: composed in software it takes two cores,
// the film buffers and the test's timing with it.)
TEST_F(VideoSurfaceWithOpenGl, ThePictureIsInThePlayerAreaThroughTopMost) {
    ExpectPictureInPlayerArea("first play");
    ClickPlace("npc4");
    EXPECT_TRUE(program.WaitForTrace("tooltip npc4=取消置顶", 5s));
    ExpectPictureInPlayerArea("top-most on");
}

// With no OpenGL at all (no context can be made) the picture is drawn in
// software, even where OpenGL is asked for: a window holding an OpenGL
// widget there crashed as it was shown.
TEST(VideoSurfaceWithoutOpenGl, PlaysInSoftwareWhateverWasAsked) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    for (const bool askForOpenGl : {false, true}) {
        SCOPED_TRACE(askForOpenGl ? "OpenGL asked for" : "the program's choice");
        test::ProgramUnderTest program;
        program.SetVariable("QT_XCB_GL_INTEGRATION=none");
        if (askForOpenGl) program.SetVariable("RUVO_PICTURE=opengl");
        program.Start({program.PortalBase().substr(0, program.PortalBase().size() - 5) + "/media/t23-s0-e1.mp4"});
        EXPECT_TRUE(program.WaitForTracePrefix("text times=00:02 / 00:30"));
        EXPECT_TRUE(program.Running());
        EXPECT_EQ(program.Stop(), 0);
    }
}

// On a Wayland desktop the program is a Wayland client of its own (no
// XWayland): under weston's headless backend it shows the portal and plays.
TEST(VideoSurfaceOnWayland, PlaysAsANativeWaylandClient) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || std::system("command -v weston >/dev/null 2>&1") != 0) GTEST_SKIP() << "weston is not installed";
    if (std::system("test -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so") != 0)
        GTEST_SKIP() << "Qt's Wayland platform is not installed";
    const std::string socket = "ruvo-test-" + std::to_string(getpid());
    pid_t compositor = -1;
    std::string socketArgument = "--socket=" + socket;
    char* argv[] = {const_cast<char*>("weston"), const_cast<char*>("--backend=headless-backend.so"), socketArgument.data(),
                    const_cast<char*>("--width=1280"), const_cast<char*>("--height=800"), nullptr};
    ASSERT_EQ(posix_spawnp(&compositor, "weston", nullptr, nullptr, argv, environ), 0);
    test::ProgramUnderTest program;
    ASSERT_TRUE(program.WaitFor([&] { return std::system(("test -S " + std::string(runtime) + "/" + socket).c_str()) == 0; }, 10s));
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");  // nothing to fall back to: Wayland or nothing
    // The program gets a runtime folder of its own: the socket by its whole path.
    setenv("WAYLAND_DISPLAY", (std::string(runtime) + "/" + socket).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    program.Start({program.PortalBase().substr(0, program.PortalBase().size() - 5) + "/media/t23-s0-e1.mp4"});
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("WAYLAND_DISPLAY");
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(program.WaitForTrace("shown Web1"));
    EXPECT_TRUE(program.WaitForTrace("player started"));
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:02 / 00:30"));  // playing on
    EXPECT_EQ(program.Stop(), 0);
    kill(compositor, SIGTERM);
    waitpid(compositor, nullptr, 0);
}

}  // namespace
}  // namespace ruvo
