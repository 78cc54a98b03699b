// A portal, advert or framed page that works against the user: the program
// opens nothing by itself, keeps its lists small whatever names come, shows
// markup as text and takes private links from the portal's own pages only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "base/JsEscape.h"
#include "demo/Faults.h"
#include "e2e/HomePageTest.h"
#include "fakes/OpenWitnesses.h"
#include "platform/WebPane.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

class HostilePortal : public test::HomePageTest {
protected:
    size_t Count(const std::string& line) { return static_cast<size_t>(program.PortalRequests(line)); }
    size_t FileSize(const std::string& name) { return ReadWholeFile(program.ProgramFile(name), 1u << 30).value_or("").size(); }
    std::string PortalPort() const {
        const std::string& base = program.PortalBase();
        return base.substr(17, base.find('/', 17) - 17);
    }
    // The portal pane's page clicks a play link to this address, as the
    // portal's own script may.
    void PageClicksPlayLink(const std::string& address, int titleId) {
        program.Pages().Evaluate(*home, "var a=document.createElement('a');a.href='eeqvod://qvod&&&" + JsEscape(address) +
                                            "&&&T&&&L&&&" + std::to_string(titleId) + "&&&0&&&0';"
                                            "document.body.appendChild(a);a.click();");
    }
    std::string Media(const std::string& file) {
        return program.PortalBase().substr(0, program.PortalBase().size() - 5) + "/media/" + file;
    }
    // A playlist whose entries are a file of the user's and hosts of the
    // portal's choosing, by every protocol but the web's.
    std::string HostilePlaylist(const std::string& file, const std::string& host) {
        std::string list = "#EXTM3U\n" + file + "\nfile://" + file + "\n";
        for (const char* scheme : {"gopher", "rtsp", "rtmp", "mms", "srt", "rist", "httpproxy"})
            list += std::string(scheme) + "://" + host + "/1x\n";
        return list + "edl://" + file + "\nslice://0-100@" + file + "\n";
    }
    // The side page, once it has loaded with its links; nothing when it never did.
    std::optional<test::DevToolsTarget> SidePageLoaded() {
        const auto side = program.WaitForPage("right.asp");
        if (!side || !program.WaitFor([&] {
                return program.Pages()
                           .Evaluate(*side, "document.readyState=='complete'&&document.links.length>0")
                           .find("true") != std::string::npos;
            }, 20s))
            return std::nullopt;
        return side;
    }
    bool TraceHas(const std::string& prefix) {
        for (const auto& line : program.Trace())
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    }
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

// An episode's address whose body is a playlist naming other protocols, and
// the next episode's, downloaded ahead and played from the disk: libmpv
// connects to none of those hosts and opens no file of the user's.
TEST_F(HostilePortal, PlaylistsFromThePortalOpenNothingButTheWeb) {
    test::LoopbackListener listener;
    const std::string secret = program.Home().File("home/private.mp4");
    MakeFolders(program.Home().File("home"));
    ReplaceFileAtomically(secret, ReadWholeFile(std::string(RUVO_DEMO_MEDIA) + "/t18-s0-e1.mp4").value_or(""));
    test::FileOpenWatch opens(secret);
    const std::string playlist = HostilePlaylist(secret, listener.HostAndPort());
    program.Portal().FaultSwitches().Set("list.m3u", *demo::ParseFault("text:" + playlist));
    program.Portal().FaultSwitches().Set("t15-s0-e2.mp4", *demo::ParseFault("text:" + playlist));
    StartProgram();
    PageClicksPlayLink(program.PortalBase() + "list.m3u", 51);
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/list.m3u"); }, 20s));
    ASSERT_TRUE(program.WaitForTracePrefix("player failed", 0, 20s));
    // The next episode is downloaded ahead while the first plays, then
    // played from the disk.
    const size_t from = program.Trace().size();
    program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=山城往事-第2集", 40s));
    EXPECT_TRUE(program.WaitForTracePrefix("player failed", from, 20s));
    EXPECT_EQ(program.PortalRequests("GET /media/t15-s0-e2.mp4"), 1) << "played from the download";
    EXPECT_EQ(listener.Connections(), 0);
    EXPECT_FALSE(opens.Opened()) << "the user's file was opened";
}

// Twenty characters typed into a field of a portal page whose every key
// opens a browser window and clicks a link to another site: none opens,
// and the page is held back with a notice.
TEST_F(HostilePortal, KeysTypedInAPageFieldOpenNothingOutside) {
    const std::string opened = program.RecordBrowserLaunches();
    StartProgram();
    program.Pages().Evaluate(*home, "var f=document.createElement('input');f.id='field';"
                                    "f.style='position:fixed;left:0;top:0;width:100%;height:100%;z-index:99';"
                                    "f.onkeydown=function(e){window.open('https://away.invalid/w'+e.key);"
                                    "var a=document.createElement('a');a.href='https://away.invalid/a'+e.key;"
                                    "document.body.appendChild(a);a.click();};document.body.appendChild(f);");
    const auto pane = program.TracedPlace("Pic1");
    ASSERT_TRUE(pane);
    if (!program.ClickMiddleOf(*pane)) GTEST_SKIP() << "no X display";
    std::this_thread::sleep_for(1200ms);  // the click's own moment has passed
    ASSERT_TRUE(program.PressKeys("a b c d e f g h i j k l m n o p q r s t"));
    EXPECT_TRUE(program.WaitForTrace(std::string("text zhun=") + kOutsideOpensHeldText, 10s));
    EXPECT_NE(program.Pages().Evaluate(*home, "document.getElementById('field').value").find("abcdefghijklmnopqrst"),
              std::string::npos) << "the keys reached the field";
    EXPECT_FALSE(PathExists(opened)) << ReadWholeFile(opened).value_or("");
}

// The side page, sent by script to another site whose address mentions the
// portal's search page: the main area keeps the portal.
TEST_F(HostilePortal, AnotherSiteNamingTheSearchPageStaysInTheSidePage) {
    StartProgram();
    const auto side = SidePageLoaded();
    ASSERT_TRUE(side);
    program.Pages().Evaluate(*side, "location.href='http://localhost:" + PortalPort() + "/box/other.html?x=search.asp'");
    // A script's way to another site is held back, and the page told so.
    EXPECT_TRUE(program.WaitForTrace(std::string("text zhun=") + kOutsideOpensHeldText, 15s));
    EXPECT_FALSE(program.PortalSaw("GET /box/other.html"));
    EXPECT_FALSE(TraceHas("visible pso=1"));
}

// A name with a right-to-left override and control characters shows, and
// is stored, without them.
TEST_F(HostilePortal, BidiOverridesAndControlsNeverReachTheTitleOrTheHistory) {
    StartProgram();
    program.Pages().Evaluate(*home, "var a=document.createElement('a');a.href='eeqvod://qvod&&&" +
                                        JsEscape(Media("t15-s0-e1.mp4")) +
                                        "&&&E%u202E4pm.exe%07x&&&L%u0085%u2067M&&&52&&&0&&&0';"
                                        "document.body.appendChild(a);a.click();");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=E4pm.exe x-L M", 20s));
    EXPECT_TRUE(program.WaitFor([&] {
        return ReadWholeFile(program.ProgramFile("date.dat")).value_or("").find("52|E4pm.exe x|L M|") != std::string::npos;
    }, 10s));
}

// A portal's reply, a page's link and a stored history row name addresses
// that libmpv would open as filter graphs, files or descriptors (one writes
// a file, as it did before they were checked): none reaches the player, no
// file of the user's home is read, written or sent, and nothing is stored.
TEST_F(HostilePortal, AddressesFromOutsideReadAndWriteNothing) {
    const std::string homeFolder = program.Home().File("home");
    const std::string secret = homeFolder + "/secret.txt", shellStart = homeFolder + "/.bashrc";
    ReplaceFileAtomically(secret, "private-key-7f3a9\n");
    ReplaceFileAtomically(shellStart, "# the user's own\n");
    const std::string writer = "av://lavfi:sine=d=1,ametadata=mode=print:file=" + homeFolder + "/pwned";
    const std::string stored = "9|旧片|第1集|qvod|" + JsEscape(writer + "-history") + "|0|0|0\r\n";
    WriteTextFile(program.ProgramFile("date.dat"), stored);
    const auto storedBytes = ReadWholeFile(program.ProgramFile("date.dat"));
    const std::string opened = program.RecordBrowserLaunches();
    program.Portal().FaultSwitches().Set("h.asp", *demo::ParseFault("text:第1集$" + writer + "-reply$qvod"));
    StartProgram();
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eebovod://']"));
    EXPECT_TRUE(program.WaitForTrace("text zhun=无法播放：不支持的地址"));
    const std::string schemes[] = {writer + "-link", "file://" + secret, secret, "edl://" + secret,
                                   "lavf://file:" + secret, "fd://0", "av://x11grab::0", "memory://x"};
    for (const std::string& address : schemes) PageClicksPlayLink(address, 50);
    // The stored row, replayed from the watch history.
    const auto tab = program.TracedPlace("npc7");
    ASSERT_TRUE(tab && program.ClickWindow((*tab)[0] + 10, (*tab)[1] + 10));
    const auto list = program.WaitForPage("c.htm");
    ASSERT_TRUE(list);
    ASSERT_TRUE(program.Pages().ClickLink(*list, "a[href^='open://']"));
    std::this_thread::sleep_for(3s);
    for (const auto& entry : std::filesystem::directory_iterator(homeFolder))
        EXPECT_EQ(entry.path().filename().string().find("pwned"), std::string::npos) << entry.path();
    EXPECT_EQ(ReadWholeFile(secret), "private-key-7f3a9\n");
    EXPECT_EQ(ReadWholeFile(shellStart), "# the user's own\n");
    for (const auto& request : program.Portal().Requests()) EXPECT_EQ(request.find("7f3a9"), std::string::npos) << request;
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("date.dat")), storedBytes);
    EXPECT_FALSE(TraceHas("player started"));
    EXPECT_FALSE(PathExists(opened));
    EXPECT_TRUE(program.Running());
}

// An advert frame of another site (the portal's host by another name) that
// the user clicked sends the page to a play link: nothing plays. The same
// frame from the portal's own origin is the portal's, and its link plays.
TEST_F(HostilePortal, AClickedFrameOfAnotherSiteGetsNoPrivateLinks) {
    program.Portal().FaultSwitches().Set(
        "advert.html", *demo::ParseFault("page:<body style='margin:0'><div style='width:100vw;height:100vh;background:#c00'>"
                                         "ad</div><script>document.onclick=function(){top.location='eeqvod://qvod&&&http%3A//"
                                         "'+location.host+'/media/t15-s0-e1.mp4&&&Ad&&&L&&&'+(location.hostname=="
                                         "'localhost'?77:78)+'&&&0&&&0';};</script></body>"));
    StartProgram();
    const auto frameOn = [&](const std::string& host) {
        program.Pages().Evaluate(*home, "document.querySelectorAll('iframe.ad').forEach(function(f){f.remove();});"
                                        "var f=document.createElement('iframe');f.className='ad';f.style='position:fixed;"
                                        "left:0;top:0;width:300px;height:200px;z-index:99';f.src='http://" + host + ":" +
                                        PortalPort() + "/box/advert.html';document.body.appendChild(f);");
        std::this_thread::sleep_for(1500ms);  // loaded and painted
        return program.Pages().ClickLink(*home, "iframe.ad");
    };
    ASSERT_TRUE(frameOn("127.0.0.1"));
    EXPECT_TRUE(program.WaitForTrace("text bo_name=Ad-L", 15s)) << "the portal's own frame's link did not play";
    ASSERT_TRUE(frameOn("localhost"));
    std::this_thread::sleep_for(3s);
    const std::string watched = ReadWholeFile(program.ProgramFile("date.dat")).value_or("");
    EXPECT_NE(watched.find("78|"), std::string::npos);
    EXPECT_EQ(watched.find("77|"), std::string::npos) << "a foreign frame's play link was followed";
}

// Script clicks on links to other sites, in the shown portal page and in the
// hidden statistics page, open no browser (the user's own click opens one:
// DesktopIntegrationEndToEnd.LinkToAnotherSiteOpensInTheBrowser).
TEST_F(HostilePortal, OnlyTheUsersClickOpensTheBrowser) {
    const std::string opened = program.RecordBrowserLaunches();
    const std::string clicker = "<script>for(var i=0;i<30;++i){var a=document.createElement('a');"
                                "a.href='https://away.invalid/'+i;document.body.appendChild(a);a.click();}</script>";
    program.Portal().FaultSwitches().Set("tj.asp", *demo::ParseFault("page:<body>stats" + clicker + "</body>"));
    StartProgram();
    program.Pages().Evaluate(*home, "(function(){var n=0,t=setInterval(function(){var a=document.createElement('a');"
                                    "a.href='https://away.invalid/s'+n;document.body.appendChild(a);a.click();"
                                    "if(++n>=30)clearInterval(t);},50);})()");
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/tj/tj.asp"); }, 20s));
    std::this_thread::sleep_for(3s);
    EXPECT_FALSE(PathExists(opened)) << ReadWholeFile(opened).value_or("");
    EXPECT_NE(program.Pages().Evaluate(*home, "location.href").find(program.PortalBase()), std::string::npos);
}

// A frame of another site in the side page sends itself to a search page:
// it stays a frame, and the main area keeps the portal.
TEST_F(HostilePortal, AFrameInTheSidePageCannotTakeTheMainArea) {
    program.Portal().FaultSwitches().Set(
        "phish.html", *demo::ParseFault("page:<script>location.replace('/box/search.asp?searchword=login')</script>"));
    StartProgram();
    const auto side = SidePageLoaded();
    ASSERT_TRUE(side);
    program.Pages().Evaluate(*side, "var f=document.createElement('iframe');f.src='http://localhost:" + PortalPort() +
                                        "/box/phish.html';document.body.appendChild(f);");
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/search.asp?searchword=login"); }, 15s));
    std::this_thread::sleep_for(2s);
    EXPECT_FALSE(TraceHas("visible pso=1"));
}

// A page clicks an episode link every 3 s while the portal takes 10 s to
// answer: each click asks anew (the newer supersedes the older, whose reply
// is dropped), nothing piles up in the window, and the close button still
// ends the program at once.
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
    EXPECT_GE(Count("GET /box/h.asp?id=12&v=0&v1=1"), 2u);  // it acted at once
    const auto clicked = std::chrono::steady_clock::now();
    if (!program.ClickWindow((*close)[0] + 12, (*close)[1] + 12)) GTEST_SKIP() << "no X display";
    const pid_t pid = program.Pid();
    EXPECT_TRUE(program.WaitForExit(pid, 5s).has_value()) << "the close button did nothing";
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, 3s);
}

}  // namespace
}  // namespace ruvo
