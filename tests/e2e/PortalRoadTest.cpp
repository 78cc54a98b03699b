#include <gtest/gtest.h>
#include <httplib.h>

#include "base/JsEscape.h"
#include "base/TextCodec.h"
#include "config/TextFile.h"
#include "e2e/ProgramUnderTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

// The program started on the demo portal, with its home page loaded.
class PortalRoad : public testing::Test {
protected:
    test::ProgramUnderTest program;
    std::optional<test::DevToolsTarget> home;

    void SetUp() override {
        program.Start();
        home = program.WaitForHomePage();
        ASSERT_TRUE(home) << "the portal pane never showed the home page";
    }
    // Waits until the page has finished loading.
    void WaitLoaded(const test::DevToolsTarget& page) {
        program.WaitFor([&] { return program.Pages().Evaluate(page, "document.readyState").find("complete") != std::string::npos; },
                        30s);
    }
    std::string TraceSince(size_t from) {
        std::string seen;
        const auto lines = program.Trace();
        for (size_t i = from; i < lines.size(); ++i) seen += lines[i] + "\n";
        return seen;
    }
    std::string Seen() {
        std::string seen;
        for (const auto& line : program.Portal().Requests()) seen += line + "\n";
        return seen;
    }
    std::vector<std::string> WatchList() {
        return ReadTextFileLines(program.ProgramFile("date.dat")).value_or(std::vector<std::string>{});
    }
    std::string Control(const char* path) {
        httplib::Client client("127.0.0.1", std::stoi(program.PortalBase().substr(17)));
        auto reply = client.Get(path);
        return reply ? reply->body : "";
    }
};

TEST_F(PortalRoad, EpisodeClickPlaysListsAndShowsTheTitle) {
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-0-']"));
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/h.asp?id=15&v=0&v1=0"); }, 30s)) << Seen();
    EXPECT_TRUE(program.WaitForTrace("text bo_name=山城往事-第1集")) ;
    // The player plays: the media is fetched and the time label advances.
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /media/t15-s0-e1.mp4"); }, 30s)) << Seen();
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:02 / 00:05")) ;
    const auto list = WatchList();
    ASSERT_FALSE(list.empty());
    const std::string address = "http://" + program.PortalBase().substr(7, program.PortalBase().size() - 7 - 5) +
                                "/media/t15-s0-e1.mp4";
    EXPECT_EQ(list[0], "15|山城往事|第1集|qvod|" + JsEscape(address) + "|0|0|0");
    EXPECT_NE(ReadWholeFile(program.ProgramFile("c.htm")).value_or("").find(EncodeGb18030("山城往事")), std::string::npos);
    // At its end the next episode follows by itself.
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /media/t15-s0-e2.mp4"); }, 40s)) << Seen();
    EXPECT_TRUE(program.WaitForTrace("text bo_name=山城往事-第2集"));
}

TEST_F(PortalRoad, ScriptNavigationKeepsTheChineseName) {
    program.Pages().Evaluate(*home, "location.href='eebovod://27-0-1-城市-夜色'");
    ASSERT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/h.asp?id=27&v=0&v1=1"); }, 30s)) << Seen();
    // The name is cut at its "-" only by the episode link grammar: the title shows "城市".
    EXPECT_TRUE(program.WaitForTrace("text bo_name=城市-第2集"));
}

TEST_F(PortalRoad, TitleLinkOpensTheTitlePageInTheSidePane) {
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href='eeshow://show/12.html']"));
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /show/12.html"); }, 30s)) << Seen();
    const auto titlePage = program.WaitForPage("/show/12.html");
    ASSERT_TRUE(titlePage);
    // An episode link in the side pane is played by the main pane.
    WaitLoaded(*titlePage);
    ASSERT_TRUE(program.Pages().ClickLink(*titlePage, "a[href^='eebovod://12-1-1-']"));
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/h.asp?id=12&v=1&v1=1"); }, 30s)) << Seen();
    // Source 1 plays in the page player, which plays the WebM itself.
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/play.htm?html5$$$"); }, 30s)) << Seen();
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /media/t12-s1-e2.webm"); }, 30s)) << Seen();
}

TEST_F(PortalRoad, SearchOpensOverTheMainPaneAndHomeLinkClosesIt) {
    const auto side = program.WaitForPage("/right.asp");
    ASSERT_TRUE(side);
    WaitLoaded(*side);
    ASSERT_TRUE(program.Pages().ClickLink(*side, "a[href*='search.asp']"));
    EXPECT_TRUE(program.WaitForTrace("visible pso=1"));
    const auto results = program.WaitForPage("search.asp");
    ASSERT_TRUE(results);
    WaitLoaded(*results);
    const size_t before = program.Trace().size();
    // On a busy machine a click on the freshly shown results page was now and
    // then lost (likely before its first frame, which clicks now wait for);
    // a user would click again, and so does this.
    bool closed = false;
    for (int click = 0; click < 3 && !closed; ++click) {
        ASSERT_TRUE(program.Pages().ClickLink(*results, "a[href^='fanhome://']"));
        closed = program.WaitForTracePrefix("visible pso=0", before, 10s);
    }
    EXPECT_TRUE(closed) << TraceSince(before);
    EXPECT_TRUE(program.WaitForTracePrefix("visible Pic1=1", before)) << TraceSince(before);
}

TEST_F(PortalRoad, TelevisionLinkPlaysInThePagePlayer) {
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eetvs://']"));
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /box/tv/eebotv.htm?ch=1"); }, 30s)) << Seen();
    EXPECT_TRUE(program.WaitForTrace("text bo_name=演示新闻台"));
    EXPECT_TRUE(program.WaitFor([&] { return program.PortalSaw("GET /media/tv-1.webm"); }, 30s)) << Seen();
}

TEST_F(PortalRoad, ListPageLinksReplayAndDelete) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://31-0-0-']");
    ASSERT_TRUE(program.WaitFor([&] { return WatchList().size() == 2; }, 30s));
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    ASSERT_TRUE(program.WaitFor([&] { return WatchList().size() == 2 && WatchList()[0].rfind("18|", 0) == 0; }, 30s));
    ASSERT_TRUE(program.WaitFor([&] { return WatchList().size() == 2 && WatchList()[1].rfind("31|", 0) == 0; }, 30s));
    // The watch-history tab: its page loads when it first shows.
    const auto tab = program.TracedPlace("npc7");
    ASSERT_TRUE(tab && program.ClickWindow((*tab)[0] + 10, (*tab)[1] + 10));
    const auto list = program.WaitForPage("c.htm");
    ASSERT_TRUE(list);
    ASSERT_TRUE(program.WaitFor([&] { return program.Pages().Evaluate(*list, "document.body.innerText.indexOf('竹林茶话') >= 0").find("true") != std::string::npos; }, 30s));
    // Replay line 2 (快乐厨房) from the watch-history page.
    const size_t from = program.Trace().size();
    ASSERT_TRUE(program.Pages().Evaluate(*list, "document.querySelector(\"a[href='open://2']\").click()").find("error") == std::string::npos);
    EXPECT_TRUE(program.WaitForTracePrefix("text bo_name=快乐厨房-第1集", from));
    // Delete line 1 (its icon shows on hover; a click on it is enough).
    program.Pages().Evaluate(*list, "document.querySelector(\"a[href='delk://1']\").click()");
    EXPECT_TRUE(program.WaitFor([&] { return WatchList().size() == 1 && WatchList()[0].rfind("31|", 0) == 0; }, 30s));
}

TEST_F(PortalRoad, FailedRepliesKeepTheCurrentPlay) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("text bo_name=竹林茶话-第1集"));
    struct Case {
        const char* fault;
        const char* status;
    };
    for (const Case& c : {Case{"one", "text zhun=读取数据出错，请返回重试"}, Case{"zero", "text zhun=读取数据出错，请返回重试"},
                          Case{"malformed", "text zhun=读取数据出错，请返回重试"}, Case{"drop", "text zhun=读取数据出错，请返回重试"},
                          Case{"huge", "text zhun=读取数据出错，请返回重试"}}) {
        Control((std::string("/control?key=test-key&target=h.asp&fault=") + c.fault).c_str());
        // The play goes on: its status tick shows it again before the next try.
        ASSERT_TRUE(program.WaitForTracePrefix("text zhun=播放中", program.Trace().size()));
        const size_t from = program.Trace().size();
        program.Pages().ClickLink(*home, "a[href^='eebovod://12-0-2-']");
        EXPECT_TRUE(program.WaitForTracePrefix(c.status, from)) << c.fault << [&] {
            std::string lines;
            const auto trace = program.Trace();
            for (size_t i = from; i < trace.size(); ++i)
                if (trace[i].rfind("stall", 0) != 0) lines += trace[i] + "\n";
            return lines;
        }();
    }
    EXPECT_TRUE(program.WaitForTrace("tip 读取数据出错，请返回重试！"));
    for (const auto& line : program.Trace()) EXPECT_NE(line, "text bo_name=星河漫游记-第3集");
    EXPECT_EQ(WatchList()[0].substr(0, 3), "18|");
}

TEST_F(PortalRoad, FailedHomePageShowsTheNoticeAndItsClickRetries) {
    Control("/control?key=test-key&target=/box/&fault=500");
    program.Pages().Evaluate(*home, "setTimeout(function(){location.reload();}, 50)");
    ASSERT_TRUE(program.WaitForTrace("visible w1=1"));
    EXPECT_TRUE(program.WaitForTrace("visible Pic1=0"));
    Control("/control?key=test-key&clear=1");
    if (!program.ClickWindow(100, 250)) GTEST_SKIP() << "no X display to click the notice on";
    EXPECT_TRUE(program.WaitForTrace("visible Pic1=1"));
    EXPECT_TRUE(program.WaitForTrace("visible w1=0"));
}

TEST_F(PortalRoad, PortalDownKeepsTheCurrentPlay) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    ASSERT_TRUE(program.WaitForTrace("player started"));
    program.Portal().Stop();
    std::this_thread::sleep_for(3s);  // kept-alive connections close after 2 s idle
    const size_t from = program.Trace().size();
    program.Pages().ClickLink(*home, "a[href^='eebovod://12-0-1-']");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=读取数据出错，请返回重试", from));
    EXPECT_EQ(WatchList()[0].substr(0, 3), "18|");
}

TEST_F(PortalRoad, KeysPauseAndSeekThePlayer) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");  // 20 s episode
    ASSERT_TRUE(program.WaitForTrace("player started"));
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:01 / 00:20"));
    size_t from = program.Trace().size();
    if (!program.PressKey("Right")) GTEST_SKIP() << "no X display to type on";
    EXPECT_TRUE(program.WaitForTracePrefix("text times=00:1", from));  // ten seconds on
    from = program.Trace().size();
    program.PressKey("space");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from));
    EXPECT_TRUE(program.WaitForTracePrefix("tooltip bo_but0=播放", from));
    from = program.Trace().size();
    program.PressKey("Down");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：90%", from));
}

// Space and the arrows act on the player and only on it: the portal's page
// with the focus does not scroll as well. Its own keys still reach it.
TEST_F(PortalRoad, KeysThePlayerTakesDoNotScrollThePage) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");  // 20 s episode
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:01 / 00:20"));
    const auto box = program.TracedPlace("soso");
    ASSERT_TRUE(box);
    // Onto the portal's heading, below the search box: no link, no field.
    if (!program.ClickWindow((*box)[0] + 10, (*box)[1] + 45)) GTEST_SKIP() << "no X display";
    std::this_thread::sleep_for(500ms);
    const auto scrolled = [&] {
        const std::string reply = program.Pages().Evaluate(*home, "window.scrollY");
        const size_t value = reply.find("\"value\":");
        return value == std::string::npos ? -1 : std::atoi(reply.c_str() + value + 8);
    };
    const int before = scrolled();  // where the click on the episode left it
    ASSERT_GE(before, 0);
    size_t from = program.Trace().size();
    program.PressKey("space");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from));
    from = program.Trace().size();
    program.PressKey("Down");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：90%", from));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(scrolled(), before);
    program.PressKey("Next");  // Page Down: the page's own key
    EXPECT_TRUE(program.WaitFor([&] { return scrolled() > before; }, 5s));
}

// A page hands the keys it does not use back to the window: still one press,
// one action. Typing in the search box is typing, not shortcuts.
TEST_F(PortalRoad, OneKeyPressIsOneActionWhereverTheFocusIs) {
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");  // 20 s episode
    ASSERT_TRUE(program.WaitForTracePrefix("text times=00:01 / 00:20"));
    const auto box = program.TracedPlace("soso");
    const auto sideTab = program.TracedPlace("npc8");
    ASSERT_TRUE(box && sideTab);
    // Into the side page, below its links: a page that has no use for the arrows.
    if (!program.ClickWindow((*sideTab)[0] + 10, (*sideTab)[1] + 300)) GTEST_SKIP() << "no X display";
    std::this_thread::sleep_for(500ms);
    size_t from = program.Trace().size();
    program.PressKey("Down");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=音量：90%", from));
    std::this_thread::sleep_for(1s);
    for (size_t i = from; i < program.Trace().size(); ++i) EXPECT_NE(program.Trace()[i], "text zhun=音量：80%");

    ASSERT_TRUE(program.ClickWindow((*box)[0] + 10, (*box)[1] + 8));  // into the search box
    std::this_thread::sleep_for(500ms);
    from = program.Trace().size();
    program.PressKeys("a b space c d Left Left");
    std::this_thread::sleep_for(1500ms);
    const auto lines = program.Trace();
    for (size_t i = from; i < lines.size(); ++i) {
        EXPECT_NE(lines[i], "text zhun=已暂停");
        EXPECT_NE(lines[i].rfind("tooltip bo_but0=播放", 0), 0u) << lines[i];
    }
}

TEST_F(PortalRoad, PanesOfACrashedRendererLoadAgain) {
    const int before = [&] {
        int count = 0;
        for (const auto& line : program.Portal().Requests()) count += line == "GET /box/";
        return count;
    }();
    program.Pages().CrashRenderer(*home);
    EXPECT_TRUE(program.WaitFor([&] {
        int count = 0;
        for (const auto& line : program.Portal().Requests()) count += line == "GET /box/";
        return count > before;
    }, 30s)) << Seen();
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(program.WaitForHomePage());
}

// The update file switches the scrolling advert bar on: it shows with its
// page, in a pane without a link handler.
class PortalRoadWithAdvertBar : public PortalRoad {
protected:
    void SetUp() override {
        program.Portal().FaultSwitches().SetUpdateField(3, "1");
        PortalRoad::SetUp();
    }
};

TEST_F(PortalRoadWithAdvertBar, PrivateLinksOfPanesWithoutHandlerOpenNothing) {
    const auto advert = program.WaitForPage("gun.html");
    ASSERT_TRUE(advert);
    ASSERT_TRUE(program.WaitFor(
        [&] { return program.Pages().Evaluate(*advert, "!!document.querySelector('marquee')").find("true") != std::string::npos; },
        30s));
    // The bar's page gets a title link, as an advert would carry, and clicks
    // it itself: the bar is too small to aim at.
    const std::string clicked = program.Pages().Evaluate(
        *advert, "(function(){var a=document.createElement('a');a.href='eeshow://show/12.html';a.textContent='x';"
                 "document.body.appendChild(a);a.click();return 'clicked';})()");
    ASSERT_NE(clicked.find("clicked"), std::string::npos) << clicked;
    std::this_thread::sleep_for(1s);  // give a wrong navigation the time to happen
    EXPECT_FALSE(program.PortalSaw("GET /show/12.html"));
    EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace ruvo
