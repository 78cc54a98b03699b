#pragma once
// A program playing the 30-second film under openbox on the test display,
// and what tests read off the screen: screenshots, the share of the sample
// media's colourful pixels in a box, the difference between two shots.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "e2e/ProgramUnderTest.h"

extern char** environ;

namespace ruvo::test {

using namespace std::chrono_literals;

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    bool Colourful(int x, int y) const {
        const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        const int high = std::max({p[0], p[1], p[2]}), low = std::min({p[0], p[1], p[2]});
        return high - low > 90;
    }
    // The share of colourful pixels in `box` (cut to the screen).
    double ColourfulShare(const Box& box) const {
        long all = 0, colourful = 0;
        for (int y = std::max(0, box.top); y < std::min(height, box.Bottom()); ++y)
            for (int x = std::max(0, box.left); x < std::min(width, box.Right()); ++x) {
                ++all;
                colourful += Colourful(x, y);
            }
        return all == 0 ? 0 : static_cast<double>(colourful) / all;
    }
    // The mean difference of the channels of two shots in `box`.
    double Difference(const Screenshot& other, const Box& box) const {
        double sum = 0;
        long count = 0;
        for (int y = std::max(0, box.top); y < std::min(height, box.Bottom()); ++y)
            for (int x = std::max(0, box.left); x < std::min(width, box.Right()); ++x)
                for (int c = 0; c < 3; ++c, ++count) {
                    const size_t at = (static_cast<size_t>(y) * width + x) * 3 + c;
                    sum += std::abs(rgb[at] - other.rgb[at]);
                }
        return count == 0 ? 0 : sum / count;
    }
};

inline std::string Output(const std::string& command) {
    std::string text;
    if (FILE* out = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, out)) > 0) text.append(buffer, read);
        pclose(out);
    }
    return text;
}

inline Screenshot TakeScreenshot() {
    Screenshot shot;
    std::sscanf(Output("xdotool getdisplaygeometry").c_str(), "%d %d", &shot.width, &shot.height);
    const std::string size = std::to_string(shot.width) + "x" + std::to_string(shot.height);
    const std::string bytes = Output("ffmpeg -nostdin -loglevel error -f x11grab -video_size " + size + " -i " +
                                     std::getenv("DISPLAY") + " -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    shot.rgb.assign(bytes.begin(), bytes.end());
    if (shot.rgb.size() != static_cast<size_t>(shot.width) * shot.height * 3) shot.width = shot.height = 0;
    return shot;
}

// The sample media are 16:9: the picture is that shape, as large as fits, centred.
inline Box PictureIn(const Box& area) {
    Box picture = area;
    if (area.width * 9 > area.height * 16) picture.width = area.height * 16 / 9;
    else picture.height = area.width * 9 / 16;
    picture.left += (area.width - picture.width) / 2;
    picture.top += (area.height - picture.height) / 2;
    return picture;
}

inline Box Shrunk(const Box& box, int by) { return {box.left + by, box.top + by, box.width - 2 * by, box.height - 2 * by}; }

class VideoSurface : public testing::Test {
protected:
    test::ProgramUnderTest program;
    std::vector<pid_t> helpers_;
    int scale_ = 1;  // device pixels a logical pixel

    // `scale` 2 starts the program as on a desktop scaled to 200 %.
    // `duringFirstFrame` runs right after the click on the film, while its
    // first frame is on its way.
    void StartPlaying(int scale, const std::function<void()>& duringFirstFrame = nullptr) {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        if (!Spawn({"openbox", "--sm-disable"})) GTEST_SKIP() << "openbox is not installed";
        Spawn({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "60"});
        std::this_thread::sleep_for(1s);
        scale_ = scale;
        if (scale != 1) setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
        program.Start();
        unsetenv("QT_SCALE_FACTOR");
        const auto home = program.WaitForHomePage();
        ASSERT_TRUE(home);
        ASSERT_TRUE(program.WaitFor([&] { return program.WindowGeometry().has_value(); }, 10s));
        ASSERT_TRUE(program.TracedPlace("npc4"));
        program.Pages().ClickLink(*home, "a[href^='eebovod://23-0-0-']");  // the 30-second film
        if (duringFirstFrame) duringFirstFrame();
        ASSERT_TRUE(program.WaitForTrace("player started"));
    }
    void SetUp() override { StartPlaying(1); }
    void TearDown() override {
        program.Stop();
        for (const pid_t helper : helpers_) {
            kill(helper, SIGTERM);
            waitpid(helper, nullptr, 0);
        }
    }
    bool Spawn(std::vector<std::string> words) {
        std::vector<char*> argv;
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
        helpers_.push_back(pid);
        return true;
    }

    // Where the player area is on the screen now: the window's place plus
    // the picture widget's last traced place in it.
    Box PlayerArea() {
        const auto window = program.WindowGeometry();
        const auto place = program.TracedPlace("video");
        if (!window || !place) return {};
        return {(*window)[0] + (*place)[0] * scale_, (*window)[1] + (*place)[1] * scale_, (*place)[2] * scale_,
                (*place)[3] * scale_};
    }
    // Checks what the screen shows once the window has settled after `what`.
    void ExpectPictureInPlayerArea(const std::string& what) {
        SCOPED_TRACE(what);
        std::this_thread::sleep_for(1200ms);
        std::system("xdotool mousemove 0 0 >/dev/null 2>&1");  // no pointer over the picture
        const Box area = PlayerArea();
        ASSERT_GT(area.width, 100);
        ASSERT_GT(area.height, 60);
        const Screenshot shot = TakeScreenshot();
        ASSERT_GT(shot.width, 0) << "no screenshot";
        const Box picture = Shrunk(PictureIn(area), 12);
        EXPECT_GT(shot.ColourfulShare(picture), 0.5) << "the picture is not in the player area " << area.left << ","
                                                     << area.top << " " << area.width << "x" << area.height;
        // Above and below the area lie the dark header and status strip (or the screen's edge).
        EXPECT_LT(shot.ColourfulShare({area.left, area.top - 20, area.width, 16}), 0.05) << "picture above the area";
        EXPECT_LT(shot.ColourfulShare({area.left, area.Bottom() + 4, area.width / 2, 14}), 0.05) << "picture below";
        EXPECT_LT(shot.ColourfulShare({0, 0, 200, 20}), 0.05) << "picture at the screen's corner";
        // Moving while it plays.
        std::this_thread::sleep_for(1s);
        const Screenshot later = TakeScreenshot();
        ASSERT_GT(later.width, 0);
        EXPECT_GT(shot.Difference(later, picture), 1.0) << "the picture stands still while playing";
    }
    void ClickPlace(const std::string& name, int dx = 12, int dy = 12) {
        const auto place = program.TracedPlace(name);
        ASSERT_TRUE(place) << name;
        ASSERT_TRUE(program.ClickWindow(((*place)[0] + dx) * scale_, ((*place)[1] + dy) * scale_)) << name;
    }
    // The full-screen button acts only while the item plays (not while it
    // buffers): a click on it waits for that, as a user waits for the picture.
    void ClickFullScreenButton() {
        ASSERT_TRUE(program.WaitFor([&] { return LastStatus().rfind("播放中", 0) == 0; }, 10s)) << LastStatus();
        ClickPlace("bo_but3");
    }
    std::string LastStatus() {
        const auto lines = program.Trace();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line)
            if (line->rfind("text zhun=", 0) == 0) return line->substr(10);
        return {};
    }
    // Whether the time label shows `seconds` or more played, in a line after `from`.
    bool WaitForPlayed(size_t from, int seconds) {
        return program.WaitFor([&] {
            const auto lines = program.Trace();
            for (size_t i = from; i < lines.size(); ++i) {
                int minutes = 0, second = 0;
                if (std::sscanf(lines[i].c_str(), "text times=%d:%d /", &minutes, &second) == 2 &&
                    minutes * 60 + second >= seconds)
                    return true;
            }
            return false;
        }, 15s);
    }
    // At "x y" of the screen: over it first, then the double click, as a hand does.
    void DoubleClickOnScreen(const std::string& at) {
        std::system(("xdotool mousemove " + at + " >/dev/null 2>&1").c_str());
        std::this_thread::sleep_for(200ms);
        std::system(("xdotool click --repeat 2 --delay 80 1 >/dev/null 2>&1"));
    }
    void PressOnScreen(const std::string& keys) { std::system(("xdotool key " + keys + " >/dev/null 2>&1").c_str()); }
};

}  // namespace ruvo::test
