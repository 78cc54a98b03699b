#include <gtest/gtest.h>

#include <thread>

#include "base/TextCodec.h"
#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "e2e/ProgramUnderTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

TEST(FirstRun, CreatesItsFilesAndLoadsThePanesThatShow) {
    test::ProgramUnderTest program;
    program.Start();
    const std::vector<std::string> expected{"GET /box/ ", "GET /box//right.asp", "GET /box/tj/tj.asp?id="};
    const bool allSeen = test::ProgramUnderTest::WaitFor(
        [&] {
            for (const auto& prefix : expected)
                if (!program.PortalSaw(prefix.back() == ' ' ? prefix.substr(0, prefix.size() - 1) : prefix))
                    return false;
            return true;
        },
        60s);
    std::string seen;
    for (const auto& line : program.Portal().Requests()) seen += line + "\n";
    ASSERT_TRUE(allSeen) << "requests seen:\n" << seen;
    EXPECT_TRUE(program.Running());

    const std::string settings = program.ProgramFile("config.dll");
    const std::string identity = ReadSetting(settings, "User", "Name", "0");
    EXPECT_NE(identity, "0");
    EXPECT_TRUE(program.PortalSaw("GET /box/tj/tj.asp?id=" + identity)) << seen;
    EXPECT_EQ(ReadSetting(settings, "main", "Name", "0"), "Ruvo影视盒");
    EXPECT_EQ(ReadSetting(settings, "S_q", "h_w", "0"), "14750");
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("date.dat")).value_or(""), "\r\n");
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("date_f.dat")).value_or(""), "\r\n");
    EXPECT_NE(ReadWholeFile(program.ProgramFile("c.htm")).value_or("").find(EncodeGb18030("暂无记录")),
              std::string::npos);
    EXPECT_TRUE(PathExists(program.ProgramFile("f.htm")));
    EXPECT_TRUE(PathExists(program.ProgramFile("i.gif")));
    // The home page is requested exactly at the portal base, once.
    int homeRequests = 0;
    for (const auto& line : program.Portal().Requests()) homeRequests += line == "GET /box/";
    EXPECT_EQ(homeRequests, 1);
}

// The page player, the list tabs, the search results and the adverts are
// hidden at start: they get no page until they show. With the update file's switches off
// (the demo's default) the adverts' pages are never asked for; with the
// scrolling bar's switch on, its page loads once the bar shows.
TEST(FirstRun, PanesHiddenUntilUsedGetNoPage) {
    test::ProgramUnderTest program;
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    ASSERT_TRUE(test::ProgramUnderTest::WaitFor([&] { return program.PortalSaw("GET /box/lib/wen.txt"); }, 20s));
    std::this_thread::sleep_for(3s);  // the update file read, its switches applied
    EXPECT_FALSE(program.PortalSaw("GET /box/js/ads/"));
    for (const auto& target : program.Pages().Targets())
        EXPECT_NE(target.url.find("/box"), std::string::npos) << "a page nobody sees: " << target.url;
    EXPECT_LE(program.Pages().Targets().size(), 3u);  // Web1, Web5 and the statistics page Web6
    const auto tab = program.TracedPlace("npc7");  // the watch-history tab
    ASSERT_TRUE(tab && program.ClickWindow((*tab)[0] + 10, (*tab)[1] + 10));
    EXPECT_TRUE(program.WaitForPage("c.htm"));

    test::ProgramUnderTest withBar;
    withBar.Portal().FaultSwitches().SetUpdateField(3, "1");
    withBar.Start();
    EXPECT_TRUE(test::ProgramUnderTest::WaitFor([&] { return withBar.PortalSaw("GET /box/js/ads/gun.html"); }, 30s));
    EXPECT_FALSE(withBar.PortalSaw("GET /box/js/ads/qvodad.html"));  // the player's advert shows at a pause only
}

TEST(FirstRun, DamagedFilesDoNotStopTheProgram) {
    test::ProgramUnderTest program;
    WriteTextFile(program.ProgramFile("config.dll"), std::string(2 << 20, '\x01'));
    ReplaceFileAtomically(program.ProgramFile("date.dat"), "12|\xFF\xFE|e|qvod|a|0|0|0\r\nno bar\r\n" + std::string(1 << 20, 'x'));
    program.Start();
    ASSERT_TRUE(test::ProgramUnderTest::WaitFor([&] { return program.PortalSaw("GET /box/tj/tj.asp"); }, 60s));
    EXPECT_TRUE(program.Running());
    // Past 1 MiB the settings are damaged: kept aside whole, and made anew.
    EXPECT_EQ(ReadSetting(program.ProgramFile("config.dll"), "S_q", "quit", "0"), "2");
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("config.dll.damaged"), 4u << 20).value_or("").size(), 2u << 20);
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("date.dat")).value_or("").substr(0, 14), "12|\xFF\xFE|e|qvod|a");
}

}  // namespace
}  // namespace ruvo
