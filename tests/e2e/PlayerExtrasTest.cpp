// What the player does beyond its bar, used as a person does: files dragged
// onto the window, the player's menu (right click) for audio and subtitle
// tracks, speed and typed addresses, keys, a screenshot in the pictures
// folder, the desktop's media controls for the speed, the bar over the
// compact window's picture, and the portal's page player starting by itself.
// What changed is read from the program's trace of libmpv's own reports, the
// screen's pixels and the files written.
#include <sys/stat.h>

#include <fstream>

#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "e2e/VideoSurfaceFixture.h"
#include "fakes/PrivateSessionBus.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;
using test::Box;
using test::Output;
using test::Screenshot;
using test::TakeScreenshot;

// A call to the program's media-player object, as a desktop's media widget
// makes it ("Get" reads a property).
std::string Mpris(const std::string& methodAndArguments) {
    return Output("timeout 10 gdbus call --session --dest org.mpris.MediaPlayer2.ruvo_box "
                  "--object-path /org/mpris/MediaPlayer2 --method " + methodAndArguments);
}

class PlayerExtras : public test::VideoSurface {
protected:
    test::PrivateSessionBus bus;  // before the program starts: it registers its media controls there

    void SetUp() override {
        // The user's pictures folder has a name of its own, as on a Chinese desktop.
        MakeFolders(program.Home().File("home/.config"));
        std::ofstream(program.Home().File("home/.config/user-dirs.dirs"))
            << "XDG_PICTURES_DIR=\"$HOME/图片\"\n";
        StartPlaying(1);
    }

    Box PictureWindowPlace() {
        const auto place = program.TracedPlace("video");
        return place ? Box{(*place)[0], (*place)[1], (*place)[2], (*place)[3]} : Box{};
    }
    // Opens the player's menu over the picture and presses `keys` in it.
    void InPlayerMenu(const std::string& keys) {
        const Box picture = PictureWindowPlace();
        ASSERT_TRUE(program.RightClickWindow(picture.left + picture.width / 2, picture.top + picture.height / 2));
        std::this_thread::sleep_for(600ms);
        for (const std::string& key : SplitKeys(keys)) {
            PressOnScreen(key);
            std::this_thread::sleep_for(300ms);
        }
    }
    static std::vector<std::string> SplitKeys(const std::string& keys) {
        std::vector<std::string> words;
        std::string word;
        for (const char c : keys + " ") {
            if (c != ' ') word += c;
            else if (!word.empty()) words.push_back(std::exchange(word, {}));
        }
        return words;
    }
    // Drags `files` from a file manager's window at the screen's corner onto
    // (x, y) of the main window and drops them there.
    void DropOnWindow(const std::vector<std::string>& files, int x, int y) {
        std::vector<std::string> words{RUVO_DRAG_SOURCE};
        words.insert(words.end(), files.begin(), files.end());
        ASSERT_TRUE(Spawn(words));
        ASSERT_EQ(std::system("timeout 10 xdotool search --sync --onlyvisible --name '^ruvo-drag-source$' >/dev/null"), 0);
        const auto window = program.WindowGeometry();
        ASSERT_TRUE(window);
        const int toX = (*window)[0] + x, toY = (*window)[1] + y;
        std::system("xdotool mousemove 40 40 mousedown 1 >/dev/null 2>&1");
        // A hand moves in steps: the window under the pointer is asked at each.
        for (int step = 1; step <= 6; ++step) {
            const std::string at = std::to_string(40 + (toX - 40) * step / 6) + " " + std::to_string(40 + (toY - 40) * step / 6);
            std::system(("xdotool mousemove " + at + " >/dev/null 2>&1").c_str());
            std::this_thread::sleep_for(150ms);
        }
        std::system("xdotool mouseup 1 >/dev/null 2>&1");
    }
    std::string RateProperty(const std::string& name) {
        return Mpris("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player " + name);
    }
    bool WaitForStatus(const std::string& text) {
        return program.WaitFor([&] { return LastStatus() == text; }, 10s);
    }
    std::string MediaCopy(const std::string& name, const std::string& sample) {
        const std::string path = program.Home().File(name);
        std::ifstream from(std::string(RUVO_DEMO_MEDIA) + "/" + sample, std::ios::binary);
        std::ofstream(path, std::ios::binary) << from.rdbuf();
        return path;
    }
};

TEST_F(PlayerExtras, DroppedFilesPlayAndTheirTracksAreChosenFromTheMenu) {
    // Onto the portal's page: the film plays, the page opens nothing.
    const std::string tracks = MediaCopy("双语.mkv", "tracks.mkv");
    DropOnWindow({tracks}, 90, 300);
    ASSERT_TRUE(program.WaitForTrace("text bo_name=双语.mkv")) << LastStatus();
    ASSERT_TRUE(program.WaitForTrace("player tracks audio=1 subtitle=1"));
    const auto list = ReadTextFileLines(program.ProgramFile("date_f.dat"));
    ASSERT_TRUE(list);
    EXPECT_NE(std::find(list->begin(), list->end(), "双语.mkv|" + tracks + "|0"), list->end());
    EXPECT_TRUE(program.WaitFor([&] { return LastStatus().rfind("播放中", 0) == 0; }, 10s));

    InPlayerMenu("a 2");  // 音轨(A), the second
    EXPECT_TRUE(program.WaitForTrace("player tracks audio=2 subtitle=1"));
    EXPECT_TRUE(WaitForStatus("音轨：English (英语)"));
    InPlayerMenu("t 0");  // 字幕(T), off
    EXPECT_TRUE(program.WaitForTrace("player tracks audio=2 subtitle=0"));
    EXPECT_TRUE(WaitForStatus("字幕：关闭"));
    PressOnScreen("v");  // the next subtitles: the first again
    EXPECT_TRUE(program.WaitForTrace("player tracks audio=2 subtitle=1"));
    EXPECT_TRUE(WaitForStatus("字幕：简体中文 (中文)"));

    // A subtitle file dropped on the picture joins what plays and shows.
    const std::string subtitles = program.Home().File("外挂.srt");
    std::ofstream(subtitles) << "1\n00:00:00,000 --> 00:01:00,000\n外挂字幕\n";
    const Box picture = PictureWindowPlace();
    DropOnWindow({subtitles}, picture.left + picture.width / 2, picture.top + picture.height / 2);
    EXPECT_TRUE(program.WaitForTrace("player tracks audio=2 subtitle=3"));
    EXPECT_TRUE(WaitForStatus("字幕：外挂.srt"));
    EXPECT_TRUE(program.WaitForTrace("text bo_name=双语.mkv"));  // still the same film

    // A film with a same-name subtitle file beside it plays with them.
    const std::string film = MediaCopy("旁边.mp4", "t23-s0-e1.mp4");
    std::ofstream(program.Home().File("旁边.srt")) << "1\n00:00:00,000 --> 00:01:00,000\n旁边的字幕\n";
    DropOnWindow({film}, picture.left + picture.width / 2, picture.top + picture.height / 2);
    EXPECT_TRUE(program.WaitForTrace("text bo_name=旁边.mp4"));
    EXPECT_TRUE(program.WaitForTrace("player tracks audio=1 subtitle=1"));
}

TEST_F(PlayerExtras, SpeedFromKeysMenuAndTheDesktopsMediaControls) {
    if (!bus.Running()) GTEST_SKIP() << "no dbus-daemon";
    ClickPlace("video", 100, 60);  // the keys are the player's
    PressOnScreen("bracketright");
    EXPECT_TRUE(program.WaitForTrace("player speed 1.250000"));
    EXPECT_TRUE(WaitForStatus("播放速度：1.25x"));
    InPlayerMenu("p Return");  // 播放速度(P), its first: 0.5x
    EXPECT_TRUE(program.WaitForTrace("player speed 0.500000"));

    // What a desktop's media widget does: it sets Rate and reads it back.
    Mpris("org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Rate '<1.5>'");
    EXPECT_TRUE(program.WaitForTrace("player speed 1.500000"));
    EXPECT_TRUE(program.WaitFor([&] { return RateProperty("Rate").find("1.5") != std::string::npos; }, 5s));
    Mpris("org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Rate '<8.0>'");
    EXPECT_TRUE(program.WaitForTrace("player speed 2.000000"));
    EXPECT_NE(RateProperty("MaximumRate").find("2.0"), std::string::npos);
    EXPECT_NE(RateProperty("MinimumRate").find("0.5"), std::string::npos);

    ClickPlace("video", 100, 60);
    PressOnScreen("BackSpace");
    EXPECT_TRUE(program.WaitForTrace("player speed 1.000000"));
}

// The PNG's own header: its signature, then the IHDR chunk with the size.
std::pair<int, int> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0) return {0, 0};
    const auto number = [&](size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {number(16), number(20)};
}

TEST_F(PlayerExtras, ScreenshotIsAPngOfTheFrameInTheUsersPicturesFolder) {
    // As a user waits for the film to play before taking its picture.
    ASSERT_TRUE(program.WaitFor([&] { return LastStatus().rfind("播放中", 0) == 0; }, 10s)) << LastStatus();
    ClickPlace("video", 100, 60);
    const size_t before = program.Trace().size();
    PressOnScreen("s");
    ASSERT_TRUE(program.WaitForTracePrefix("tip 截图已保存到 ", before, 10s)) << LastStatus();
    const std::string folder = program.Home().File("home/图片");
    const auto files = ListFolderFiles(folder);
    ASSERT_EQ(files.size(), 1u);
    // Named by the title line and the time in the film.
    EXPECT_EQ(files[0].rfind("极地追光", 0), 0u) << files[0];
    EXPECT_NE(files[0].find(" 00-00-"), std::string::npos) << files[0];
    const auto bytes = ReadWholeFile(JoinPath(folder, files[0]));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(PngSize(*bytes), (std::pair<int, int>{320, 180}));  // the frame's own size, not the window's
    EXPECT_TRUE(WaitForStatus("截图已保存"));

    PressOnScreen("s");  // a second one in the same second gets a name of its own
    EXPECT_TRUE(program.WaitFor([&] { return ListFolderFiles(folder).size() == 2; }, 10s));
}

TEST_F(PlayerExtras, OpenAddressPlaysATypedWebAddressOnly) {
    // A typed address that is not a web address opens nothing.
    InPlayerMenu("Up Return");  // the last entry: 打开网址
    ASSERT_EQ(std::system("timeout 10 xdotool search --sync --onlyvisible --name '^打开网址$' >/dev/null"), 0);
    std::system("xdotool type --delay 20 'file:///etc/passwd' >/dev/null 2>&1");
    PressOnScreen("Return");
    EXPECT_TRUE(program.WaitForTracePrefix("notice 打开网址 无法播放这个网址", 0, 10s));
    // The notice's OK, pressed again should the notice not have had the
    // keyboard yet when the trace told of it (the press then reached the
    // window, where Return does nothing). The menu opens only once the
    // notice has gone: it is modal.
    bool noticeGone = false;
    for (int press = 0; press < 5 && !noticeGone; ++press) {
        PressOnScreen("Return");
        noticeGone = std::system("timeout 2 sh -c 'while xdotool search --onlyvisible --name \"^打开网址$\" "
                                 ">/dev/null; do sleep 0.1; done'") == 0;
    }
    ASSERT_TRUE(noticeGone);

    InPlayerMenu("Up Return");
    ASSERT_EQ(std::system("timeout 10 xdotool search --sync --onlyvisible --name '^打开网址$' >/dev/null"), 0);
    const std::string port = program.PortalBase().substr(0, program.PortalBase().find("/box/"));
    std::system(("xdotool type --delay 20 '" + port + "/media/t15-s0-e2.mp4' >/dev/null 2>&1").c_str());
    PressOnScreen("Return");
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /media/t15-s0-e2.mp4"); }, 15s));
    EXPECT_TRUE(program.WaitForTrace("text bo_name=t15-s0-e2.mp4"));
    EXPECT_FALSE(program.PortalSaw("GET /etc/passwd"));
}

// The compact window keeps the picture; a mouse move brings the player bar
// over the picture's foot (the dark band under the 16:9 picture), two
// seconds of rest take it away.
TEST_F(PlayerExtras, TheCompactWindowShowsItsBarOverThePictureOnMouseMoves) {
    ClickPlace("npc3");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 500; }, 5s));
    std::system("xdotool mousemove 0 0 >/dev/null 2>&1");
    std::this_thread::sleep_for(2500ms);
    const Box area = PlayerArea();
    ASSERT_GT(area.width, 100);
    const Box foot{area.left + 4, area.Bottom() - 22, area.width - 8, 18};  // under the picture, over the band
    const Screenshot resting = TakeScreenshot();
    ASSERT_GT(resting.width, 0);

    std::system(("xdotool mousemove " + std::to_string(area.left + area.width / 2) + " " +
                 std::to_string(area.top + area.height / 2) + " >/dev/null 2>&1").c_str());
    std::this_thread::sleep_for(100ms);
    std::system(("xdotool mousemove " + std::to_string(area.left + area.width / 2 + 10) + " " +
                 std::to_string(area.top + area.height / 2 + 5) + " >/dev/null 2>&1").c_str());
    std::this_thread::sleep_for(500ms);
    const Screenshot moved = TakeScreenshot();
    EXPECT_GT(resting.Difference(moved, foot), 8.0) << "no bar over the picture after a mouse move";
    EXPECT_GT(moved.ColourfulShare(foot), 0.02) << "the volume slider is not there";

    std::this_thread::sleep_for(3s);  // the pointer rests over the picture
    const Screenshot rested = TakeScreenshot();
    EXPECT_LT(resting.Difference(rested, foot), 2.0) << "the bar stays after the mouse rested";
}

// The mean of all channels in `box`: near 0 where the screen is black.
double Brightness(const Screenshot& shot, const Box& box) {
    double sum = 0;
    long count = 0;
    for (int y = std::max(0, box.top); y < std::min(shot.height, box.Bottom()); ++y)
        for (int x = std::max(0, box.left); x < std::min(shot.width, box.Right()); ++x)
            for (int c = 0; c < 3; ++c, ++count) sum += shot.rgb[(static_cast<size_t>(y) * shot.width + x) * 3 + c];
    return count == 0 ? 0 : sum / count;
}

// Full screen from the compact window: at rest the picture is alone (no
// status strip coming back with the next status tick); a mouse move brings
// the whole bar; back in the compact window the bar is away again.
TEST_F(PlayerExtras, TheFullScreenBarRestsHiddenAndTheCompactWindowComesBackAsItWas) {
    ClickPlace("npc3");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 500; }, 5s));
    std::this_thread::sleep_for(500ms);
    const Box small = PlayerArea();
    DoubleClickOnScreen(std::to_string(small.left + small.width / 2) + " " + std::to_string(small.top + small.height / 2));
    ASSERT_TRUE(program.WaitFor([&] { return PlayerArea().width == TakeScreenshot().width; }, 5s));
    std::this_thread::sleep_for(3500ms);  // the mouse rests: the bar goes, and stays away through the ticks
    const Screenshot resting = TakeScreenshot();
    ASSERT_GT(resting.width, 0);
    const Box foot{0, resting.height - 45, resting.width, 45};  // the black band under the 16:9 picture
    EXPECT_LT(Brightness(resting, foot), 3.0) << "the status strip shows at rest";
    std::system("xdotool mousemove_relative 5 5 >/dev/null 2>&1");
    std::this_thread::sleep_for(100ms);
    std::system("xdotool mousemove_relative -- -5 -5 >/dev/null 2>&1");
    std::this_thread::sleep_for(500ms);
    EXPECT_GT(Brightness(TakeScreenshot(), foot), 8.0) << "no bar after a mouse move";

    PressOnScreen("Escape");
    ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().value_or(std::array<int, 4>{})[2] < 500; }, 5s));
    std::system("xdotool mousemove 0 0 >/dev/null 2>&1");
    std::this_thread::sleep_for(2500ms);
    const Box area = PlayerArea();
    const Screenshot back = TakeScreenshot();
    // In the compact window the band under the picture is black again: no bar left behind.
    EXPECT_LT(Brightness(back, {area.left + 4, area.Bottom() - 22, area.width - 8, 18}), 3.0);
}

// Without the film: the portal's television page plays in the page player.
class PagePlayer : public test::VideoSurface {
protected:
    test::PrivateSessionBus bus;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        if (!Spawn({"openbox", "--sm-disable"})) GTEST_SKIP() << "openbox is not installed";
        std::this_thread::sleep_for(1s);
    }
};

TEST_F(PagePlayer, StartsByItselfFillsTheScreenAndObeysTheMediaKeys) {
    if (!bus.Running()) GTEST_SKIP() << "no dbus-daemon";
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eetvs://']"));
    const auto page = program.WaitForPage("eebotv.htm");
    ASSERT_TRUE(page);
    const auto playedSeconds = [&] {
        const std::string reply = program.Pages().Evaluate(*page, "document.querySelector('video').currentTime");
        const size_t at = reply.find("\"value\":");
        return at == std::string::npos ? 0.0 : std::atof(reply.c_str() + at + 8);
    };
    // No click in the page: it plays by itself.
    EXPECT_TRUE(program.WaitFor([&] { return playedSeconds() > 1.0; }, 20s));

    const auto paused = [&] {
        return program.Pages().Evaluate(*page, "document.querySelector('video').paused").find("\"value\":true") !=
               std::string::npos;
    };
    Mpris("org.mpris.MediaPlayer2.Player.PlayPause");
    EXPECT_TRUE(program.WaitFor(paused, 5s));
    EXPECT_TRUE(program.WaitFor([&] {
        return Mpris("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player PlaybackStatus").find("Paused") !=
               std::string::npos;
    }, 5s));
    EXPECT_TRUE(program.WaitForTrace("visible Pic2=1"));  // the page stays
    Mpris("org.mpris.MediaPlayer2.Player.PlayPause");
    EXPECT_TRUE(program.WaitFor([&] { return !paused(); }, 5s));

    // Its full-screen button: the page fills the screen; Esc brings it back.
    const auto before = program.WindowGeometry();
    ASSERT_TRUE(before);
    program.Pages().EvaluateAsUser(*page, "document.querySelector('video').requestFullscreen()");
    int screenWidth = 0, screenHeight = 0;
    std::sscanf(Output("xdotool getdisplaygeometry").c_str(), "%d %d", &screenWidth, &screenHeight);
    EXPECT_TRUE(program.WaitFor([&] {
        const auto now = program.WindowGeometry();
        return now && (*now)[2] == screenWidth && (*now)[3] == screenHeight;
    }, 5s));
    EXPECT_TRUE(program.WaitFor([&] {
        return program.Pages().Evaluate(*page, "!!document.fullscreenElement").find("\"value\":true") != std::string::npos;
    }, 5s));
    program.PressKey("Escape");
    EXPECT_TRUE(program.WaitFor([&] { return program.WindowGeometry() == before; }, 5s));
}

}  // namespace
}  // namespace ruvo
