// A portal, advert or framed page that works against the user: the program
// opens nothing by itself, keeps its lists small whatever names come, shows
// markup as text and takes private links from the portal's own pages only.
#include <gtest/gtest.h>

#include <cstdlib>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "demo/Faults.h"
#include "e2e/HomePageTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

class HostilePortal : public test::HomePageTest {
protected:
    size_t Count(const std::string& line) { return static_cast<size_t>(program.PortalRequests(line)); }
    size_t FileSize(const std::string& name) { return ReadWholeFile(program.ProgramFile(name), 1u << 30).value_or("").size(); }
};

TEST_F(HostilePortal, PopupFloodFromAnAdvertOpensNothing) {
    const std::string opened = program.RecordBrowserLaunches();
    program.Portal().FaultSwitches().Set("gun.html", *demo::ParseFault("popups"));
    program.Portal().FaultSwitches().SetUpdateField(3, "1");  // the scrolling advert bar shows
    StartProgram();
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/js/ads/gun.html"); }, 20s));
    std::this_thread::sleep_for(4s);
    EXPECT_FALSE(PathExists(opened)) << "a browser was launched";
    EXPECT_LT(program.Pages().Targets().size(), 20u) << "pages were left alive";
    EXPECT_TRUE(program.Running());
}

// Ten plays with names of 600,000 characters (links of megabytes: no
// portal's) and ten with names of 10,000: the first are dropped unread, the
// others play and are stored with names of 200 characters.
TEST_F(HostilePortal, LongTitlesKeepTheListsSmallAndTheWindowResponsive) {
    // No look-up of the next episode: a click that came during one would be dropped.
    MakeFolders(program.ProgramFolder());
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "s_h", "1");
    StartProgram();
    const std::string media = program.PortalBase().substr(0, program.PortalBase().size() - 5) + "/media/t15-s0-e1.mp4";
    const size_t from = program.Trace().size();
    program.Pages().Evaluate(*home, "(function(){var i=0;(function next(){if(i>=20)return;"
                                    "var name='%u6D77'.repeat(i%2?10000:600000);var a=document.createElement('a');"
                                    "a.href='eeqvod://qvod&&&" + media + "&&&'+name+'&&&'+name+'&&&'+(100+i)+'&&&0&&&0';"
                                    "document.body.appendChild(a);a.click();++i;setTimeout(next,300);})();})()");
    ASSERT_TRUE(program.WaitFor([&] {
        const auto lines = ReadTextFileLines(program.ProgramFile("date.dat")).value_or(std::vector<std::string>{});
        return !lines.empty() && lines[0].rfind("119|", 0) == 0;
    }, 60s));
    std::this_thread::sleep_for(2s);
    const auto lines = ReadTextFileLines(program.ProgramFile("date.dat")).value_or(std::vector<std::string>{});
    size_t records = 0;
    for (const auto& line : lines) {
        if (line.empty()) continue;
        ++records;
        EXPECT_EQ(line.find("|", 4) - 4, 200u * 3) << "a name of 200 characters (read back as UTF-8: three bytes each)";
    }
    EXPECT_EQ(records, 10u);
    EXPECT_LT(FileSize("date.dat"), 100u * 1024);
    EXPECT_LT(FileSize("c.htm"), 1u << 20);
    // Ten plays 600 ms apart, each stopping the last: 250-370 ms at the most
    // here, against 16 s when the names were kept whole.
    EXPECT_LT(program.LongestStallSince(from), 500);
}

TEST_F(HostilePortal, MarkupAsAVersionIsNeitherShownNorOffered) {
    program.Portal().FaultSwitches().SetUpdateField(4, "<b style='color:red'>2.0</b><a href='file:///etc/passwd'>x</a>");
    StartProgram();
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/lib/wen.txt"); }, 15s));
    std::this_thread::sleep_for(1500ms);
    for (const auto& line : program.Trace()) EXPECT_NE(line.rfind("ask ", 0), 0u) << line;
}

// A page of another site framed in a portal page clicks an episode link by
// itself: nothing is looked up. The same page from the portal's own origin
// is a portal page, and its link counts.
TEST_F(HostilePortal, PlayLinksFromAForeignFrameAreIgnored) {
    program.Portal().FaultSwitches().Set("framed.html", *demo::ParseFault("selfclicks"));
    StartProgram();
    const std::string port = program.PortalBase().substr(17, program.PortalBase().find('/', 17) - 17);
    program.Pages().Evaluate(*home, "var f=document.createElement('iframe');f.src='http://localhost:" + port +
                                        "/box/framed.html';document.body.appendChild(f);");
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/framed.html"); }, 10s));
    std::this_thread::sleep_for(7s);  // two clicks of the framed page
    EXPECT_EQ(Count("GET /box/h.asp?id=12&v=0&v1=1"), 0u) << "a foreign frame's link was followed";
    program.Pages().Evaluate(*home, "var g=document.createElement('iframe');g.src='/box/framed.html';"
                                    "document.body.appendChild(g);");
    EXPECT_TRUE(program.WaitFor([&] { return Count("GET /box/h.asp?id=12&v=0&v1=1") > 0; }, 10s));
}

// A page clicks an episode link every 3 s while the portal takes 10 s to
// answer: the clicks that come during a wait are dropped, and the close
// button still ends the program at once.
TEST_F(HostilePortal, ASelfClickingPageWithASlowPortalNeverLocksTheUserOut) {
    MakeFolders(program.ProgramFolder());
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "ts", "1");    // asked before:
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "quit", "1");  // close exits
    program.Portal().FaultSwitches().Set("/box/", *demo::ParseFault("selfclicks"));
    program.Portal().FaultSwitches().Set("h.asp", *demo::ParseFault("slow:10000"));
    program.Start();
    const auto close = program.TracedPlace("npc2");
    ASSERT_TRUE(close);
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/h.asp"); }, 30s));
    std::this_thread::sleep_for(4s);  // a second click came during the wait
    const auto clicked = std::chrono::steady_clock::now();
    if (!program.ClickWindow((*close)[0] + 12, (*close)[1] + 12)) GTEST_SKIP() << "no X display";
    const pid_t pid = program.Pid();
    EXPECT_TRUE(program.WaitForExit(pid, 5s).has_value()) << "the close button did nothing";
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, 3s);
    EXPECT_EQ(Count("GET /box/h.asp?id=12&v=0&v1=1"), 1u);  // the clicks during the wait were dropped
}

}  // namespace
}  // namespace ruvo
