#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <sstream>

#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "e2e/HomePageTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

// The real player playing the demo portal's short episodes.
class Playback : public test::HomePageTest {
protected:
    int Count(const std::string& line) { return program.PortalRequests(line); }
    std::vector<std::string> WatchList() {
        return ReadTextFileLines(program.ProgramFile("date.dat")).value_or(std::vector<std::string>{});
    }
    std::string Download(const std::string& suffix) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(program.ProgramFile("downloads"), error))
            if (entry.path().filename().string().ends_with(suffix)) return entry.path().string();
        return {};
    }
};

TEST_F(Playback, NextEpisodeIsDownloadedAheadAndPlaysOn) {
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=山城往事-第1集"));
    // Past 60.1 % downloaded the next episode is looked up once and downloaded.
    EXPECT_TRUE(program.WaitFor([&] { return !Download("t15-s0-e2.mp4").empty(); }, 20s));
    EXPECT_EQ(Count("GET /box/h.asp?id=15&v=0&v1=1"), 1);
    // At the end it plays by itself, from the download, and heads the history.
    ASSERT_TRUE(program.WaitForTrace("text bo_name=山城往事-第2集", 20s));
    EXPECT_TRUE(program.WaitFor([&] { return WatchList()[0].rfind("15|山城往事|第2集|", 0) == 0; }, 10s));
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:01 / 00:05"));
    EXPECT_EQ(Count("GET /media/t15-s0-e2.mp4"), 1);  // the download only: playing it asked nothing more
}

TEST_F(Playback, WithAutoPlayOffNothingFollows) {
    MakeFolders(program.ProgramFolder());
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "s_bo", "1");
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://27-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=城市-第1集"));
    ASSERT_TRUE(program.WaitForTrace("text zhun=播放完毕", 20s));
    std::this_thread::sleep_for(3s);
    for (const auto& line : program.Trace()) EXPECT_NE(line, "text bo_name=城市-第2集");
}

TEST_F(Playback, ReplayFromTheHistoryResumesWhereItStopped) {
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");  // 20 s
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:06 / 00:20"));
    program.Pages().ClickLink(*home, "a[href^='eebovod://31-0-0-']");  // stops 18 and stores its position
    ASSERT_TRUE(program.WaitForTrace("text bo_name=快乐厨房-第1集"));
    ASSERT_TRUE(program.WaitFor([&] { return WatchList().size() >= 2 && WatchList()[1].rfind("18|", 0) == 0; }, 10s));
    const std::string stored = WatchList()[1].substr(WatchList()[1].rfind('|') + 1);
    EXPECT_GE(std::stoi(stored), 5);
    // The watch-history tab: its page loads when it first shows.
    const auto tab = program.TracedPlace("npc7");
    ASSERT_TRUE(tab && program.ClickWindow((*tab)[0] + 10, (*tab)[1] + 10));
    const auto list = program.WaitForPage("c.htm");
    ASSERT_TRUE(list);
    ASSERT_TRUE(program.WaitFor([&] {
        return program.Pages().Evaluate(*list, "document.querySelector(\"a[href='open://2']\") !== null").find("true") !=
               std::string::npos;
    }, 10s));
    const size_t from = program.Trace().size();
    program.Pages().Evaluate(*list, "document.querySelector(\"a[href='open://2']\").click()");
    ASSERT_TRUE(program.WaitForTracePrefix("text bo_name=竹林茶话", from));
    // The first playing tick seeks to the stored second: no time below it shows.
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:0" + std::to_string(std::stoi(stored) + 1), from) ||
                program.WaitForTracePrefix("text times=00:1", from));
    const auto lines = program.Trace();
    for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "text times=00:01 / 00:20");
    // The first frame shown is the stored second's, not the start's.
    EXPECT_TRUE(program.WaitForTrace("player first frame at " + stored, 5s) ||
                program.WaitForTrace("player first frame at " + std::to_string(std::stoi(stored) - 1), 1s));
}

// An item that played to its end resumes at its start: stored as 1, however
// long after its end the program is left.
TEST_F(Playback, AnItemPlayedToItsEndIsStoredToResumeAtOne) {
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-2-']");  // the last 5 s episode
    ASSERT_TRUE(program.WaitForTrace("text bo_name=山城往事-第3集"));
    ASSERT_TRUE(program.WaitForTrace("text zhun=播放完毕", 20s));
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(program.Stop(), 0);
    ASSERT_FALSE(WatchList().empty());
    EXPECT_EQ(WatchList()[0].substr(WatchList()[0].rfind('|') + 1), "1") << WatchList()[0];
}

// The desktop logging out ends the program with SIGTERM: the playing item's
// place is stored as the stop button stores it, and the program ends well.
TEST_F(Playback, EndedBySignalStoresThePlayingPosition) {
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://23-0-0-']");  // 30 s
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:12 / 00:30"));
    EXPECT_EQ(program.Stop(), 0);
    ASSERT_FALSE(WatchList().empty());
    const int stored = std::stoi(WatchList()[0].substr(WatchList()[0].rfind('|') + 1));
    EXPECT_GE(stored, 11);
    EXPECT_LE(stored, 13);
}

// A malformed reply of the portal to the next episode's lookup is told as
// a failure; the lookup's retry 100 s later is proven on the virtual clock
// (Episodes.FailedNextFetchIsRetriedAfterHundredSeconds).
TEST_F(Playback, FailedNextEpisodeLookupSaysItWillTryAgain) {
    StartProgram();
    httplib::Client control("127.0.0.1", std::stoi(program.PortalBase().substr(17)));
    control.Get("/control?key=test-key&rate=100000");  // about 1 MB: 60 % is downloaded after some 6 s
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=竹林茶话-第1集"));
    control.Get("/control?key=test-key&target=h.asp&fault=malformed");
    EXPECT_TRUE(program.WaitForTrace("tip 读取下一集数据出错，稍后将重新读取！", 30s));
    EXPECT_GE(Count("GET /box/h.asp?id=18&v=0&v1=1"), 1);
}

// "x,y,width,height" of a control from the trace's "place" lines.
std::vector<int> PlaceIn(const std::vector<std::string>& trace, const std::string& name) {
    for (const auto& line : trace) {
        if (line.rfind("place " + name + "=", 0) != 0) continue;
        std::vector<int> numbers;
        std::stringstream text(line.substr(line.find('=') + 1));
        for (std::string part; std::getline(text, part, ',');) numbers.push_back(std::stoi(part));
        if (numbers.size() == 4) return numbers;
    }
    return {};
}

TEST_F(Playback, SlidersSeekAndSetTheVolume) {
    StartProgram();
    program.Pages().ClickLink(*home, "a[href^='eebovod://23-0-0-']");  // 30 s
    ASSERT_TRUE(program.WaitForTrace("player started"));
    ASSERT_TRUE(program.WaitFor([&] { return PlaceIn(program.Trace(), "yin").size() == 4; }, 10s));
    const auto volume = PlaceIn(program.Trace(), "yin");
    const auto seek = PlaceIn(program.Trace(), "gunt");
    // A press at the track's middle: the player reports about half the volume.
    size_t from = program.Trace().size();
    if (!program.ClickWindow(volume[0] + volume[2] / 2, volume[1] + volume[3] / 2)) GTEST_SKIP() << "no X display";
    ASSERT_TRUE(program.WaitForTracePrefix("text zhun=音量：", from));
    int reported = -1;
    for (const auto& line : program.Trace())
        if (line.rfind("text zhun=音量：", 0) == 0) reported = std::stoi(line.substr(std::string("text zhun=音量：").size()));
    EXPECT_GE(reported, 35);
    EXPECT_LE(reported, 65);
    // A press at three quarters of the seek track, released there: the time jumps past 20 s.
    from = program.Trace().size();
    const int x = seek[0] + seek[2] * 3 / 4, y = seek[1] + seek[3] / 2;
    program.DragInWindow(x, y, x);
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:2", from));
}

}  // namespace
}  // namespace ruvo
