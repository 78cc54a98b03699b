// Openings and closing credits found by listening to the demo series, as a
// person meets them: the button over the picture in the opening and Enter
// on the picture, the automatic skips and their way back, the play-on at
// the credits, marks set from the player's menu that win and stay, and
// nothing heard for a film.
#include <gtest/gtest.h>

#include <cstdio>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "demo/Faults.h"
#include "e2e/VideoSurfaceFixture.h"
#include "playback/TitleSkips.h"

namespace ruvo::test {
namespace {

using namespace std::chrono_literals;

class OpeningsAndCredits : public VideoSurface {
protected:
    std::optional<DevToolsTarget> home;

    void SetUp() override {}
    // The program with the person's settings, and episode `number` of the series clicked.
    void PlaySeries(int number, const std::vector<std::pair<const char*, const char*>>& settings = {}) {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        if (!Spawn({"openbox", "--sm-disable"})) GTEST_SKIP() << "openbox is not installed";
        MakeFolders(program.ProgramFolder());
        for (const auto& [key, value] : settings) WriteSetting(program.ProgramFile("config.dll"), "S_q", key, value);
        program.Start();
        home = program.WaitForHomePage();
        ASSERT_TRUE(home);
        ASSERT_TRUE(program.WaitFor([&] { return program.TracedPlace("video").has_value(); }, 10s));
        Click("eebovod://40-0-" + std::to_string(number) + "-");
    }
    void Click(const std::string& link) {
        ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='" + link + "']"));
    }
    // The last place the time label showed, in seconds.
    int PlayedSeconds() {
        const auto lines = program.Trace();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            int minutes = 0, seconds = 0;
            if (std::sscanf(line->c_str(), "text times=%d:%d /", &minutes, &seconds) == 2) return minutes * 60 + seconds;
        }
        return -1;
    }
    bool ButtonReads(const std::string& text) {
        return program.WaitFor([&] {
            const auto lines = program.Trace();
            std::string shown, visible;
            for (const std::string& line : lines) {
                if (line.rfind("text skip=", 0) == 0) shown = line.substr(10);
                if (line.rfind("visible skip=", 0) == 0) visible = line.substr(13);
            }
            return text.empty() ? visible != "1" : visible == "1" && shown == text;
        }, 40s);
    }
    void ClickPicture() {
        const auto place = program.TracedPlace("video");
        ASSERT_TRUE(place);
        ASSERT_TRUE(program.ClickWindow((*place)[0] + (*place)[2] / 3, (*place)[1] + (*place)[3] / 3));
    }
    TitleSkips Kept() { return ReadTitleSkips(program.ProgramFile("skips/40-0.txt")); }
};

TEST_F(OpeningsAndCredits, TheButtonOffersTheOpeningFoundByListeningAndEnterOnThePictureSkipsIt) {
    PlaySeries(0);
    // Episodes 1 and 2 heard while episode 1's opening plays (from 0 s to 36 s).
    ASSERT_TRUE(program.WaitForTrace("heard 0 1: opening found, credits found", 40s));
    const TitleSkips kept = Kept();
    ASSERT_TRUE(kept.OpeningOf(0) && kept.OpeningOf(1) && kept.CreditsOf(0, 190) && kept.CreditsOf(1, 200));
    EXPECT_NEAR(kept.OpeningOf(0)->stretch.end, 36, 0.5);
    EXPECT_NEAR(kept.OpeningOf(1)->stretch.start, 20, 0.5);
    EXPECT_NEAR(kept.OpeningOf(1)->stretch.end, 56, 0.5);
    EXPECT_NEAR(kept.CreditsOf(0, 190)->stretch.start, 166, 0.5);
    EXPECT_NEAR(kept.CreditsOf(1, 200)->stretch.start, 176, 0.5);
    ASSERT_TRUE(ButtonReads("跳过片头"));
    ClickPicture();
    PressOnScreen("Return");
    ASSERT_TRUE(ButtonReads(""));
    EXPECT_TRUE(program.WaitFor([&] { return PlayedSeconds() >= 36; }, 5s)) << PlayedSeconds();
    EXPECT_LT(PlayedSeconds(), 45);
}

TEST_F(OpeningsAndCredits, AutomaticSkipsSayWhereTheyWentTheLeftArrowReturnsAndTheCreditsPlayOn) {
    PlaySeries(0, {{"s_tpt", "2"}, {"s_tpw", "2"}});
    ASSERT_TRUE(program.WaitForTrace("text zhun=已跳过片头，按←返回", 40s)) << LastStatus();
    ASSERT_TRUE(program.WaitFor([&] { return PlayedSeconds() >= 36; }, 5s));
    PressOnScreen("Left");
    ASSERT_TRUE(program.WaitFor([&] { return PlayedSeconds() < 30; }, 5s)) << PlayedSeconds();
    // On to the credits: ten seconds a press, with the keys on the picture.
    ClickPicture();
    for (int press = 0; press < 14; ++press) PressOnScreen("Right");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=雾港灯塔-第2集", 60s));
    EXPECT_LT(PlayedSeconds(), 185);  // at the credits (166 s), not at the end (190 s)
}

TEST_F(OpeningsAndCredits, MarksFromThePlayersMenuWinAndStayAndAFilmIsNeverHeard) {
    PlaySeries(1);
    ASSERT_TRUE(program.WaitFor([&] { return PlayedSeconds() >= 12; }, 30s));
    const Box picture = PlayerArea();
    // The menu's foot: 打开网址, 打开文件, 清除片头片尾标记, 设为片尾开始, 设为片头结束.
    ASSERT_TRUE(program.RightClickWindow(picture.left - program.WindowGeometry().value()[0] + picture.width / 2,
                                         picture.top - program.WindowGeometry().value()[1] + picture.height / 2));
    std::this_thread::sleep_for(600ms);  // the menu opens before keys reach it
    PressOnScreen("Up Up Up Up Up Return");
    ASSERT_TRUE(program.WaitFor([&] { return Kept().HasMarks(); }, 5s));
    const double mark = Kept().OpeningOf(7)->stretch.end;  // every episode of the title
    EXPECT_GE(mark, 12);
    program.Stop();
    program.Start();
    home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    Click("eebovod://40-0-2-");
    ASSERT_TRUE(ButtonReads("跳过片头"));  // from the start, up to the mark
    EXPECT_NEAR(Kept().OpeningOf(2)->stretch.end, mark, 0.01);

    const size_t from = program.Trace().size();
    Click("eebovod://44-0-0-");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=银杏之约-正片"));
    std::this_thread::sleep_for(3s);  // time enough for a listening to begin, were there one
    for (size_t i = from; i < program.Trace().size(); ++i) EXPECT_NE(program.Trace()[i].rfind("listening ", 0), 0u);
}

TEST_F(OpeningsAndCredits, GarbageWhereTheNextEpisodesMediaShouldBeIsHeardOnceAndCostsNothingElse) {
    program.Portal().FaultSwitches().Set("t40-s0-e2.mp4", *demo::ParseFault("text:" + std::string(4096, 'x')));
    PlaySeries(0);
    ASSERT_TRUE(program.WaitForTracePrefix("not heard http://", 0, 40s));
    EXPECT_TRUE(program.WaitFor([&] { return LastStatus().rfind("播放中", 0) == 0; }, 10s)) << LastStatus();
    std::this_thread::sleep_for(2s);
    int listenings = 0;
    for (const std::string& line : program.Trace()) listenings += line.rfind("listening ", 0) == 0;
    EXPECT_EQ(listenings, 2);  // the pair, once
    EXPECT_FALSE(Kept().OpeningOf(0));
    EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace ruvo::test
