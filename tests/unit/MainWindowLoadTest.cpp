#include <gtest/gtest.h>

#include "app/Startup.h"
#include "config/SettingsFile.h"
#include "fakes/WindowFixture.h"

namespace ruvo {
namespace {

class MainWindowLoad : public test::WindowFixture {
protected:
    std::vector<std::string> played;
    void LoadWith(const std::string& commandLine = "") {
        window = std::make_unique<MainWindow>(Ports(), settings, folder.Path(), PortalFrom(test::kTestPortal));
        window->SetPlayCommandLineItem([this](const std::string& item) { played.push_back(item); });
        window->Load(commandLine);
    }
    const test::FakeWebPane& PaneOf(Pane pane) { return panes[static_cast<size_t>(pane)]; }
};

TEST_F(MainWindowLoad, NavigatesEveryPaneToItsFirstPage) {
    LoadWith();
    // The portal pane first; the others when its page has come.
    for (const Pane pane : kAllPanes) EXPECT_EQ(PaneOf(pane).navigations.size(), pane == Pane::PortalPage ? 1u : 0u);
    panes[static_cast<size_t>(Pane::PortalPage)].events.downloadComplete();
    const std::vector<std::pair<Pane, std::string>> expected{
        {Pane::PortalPage, "http://127.0.0.1:8790/box/"},
        {Pane::PagePlayer, "about:blank"},
        {Pane::HistoryList, folder.File("c.htm")},
        {Pane::LocalList, folder.File("f.htm")},
        {Pane::SidePage, "http://127.0.0.1:8790/box//right.asp"},
        {Pane::Statistics, "http://127.0.0.1:8790/box/tj/tj.asp?id=00-16-3E-01-02-03"},
        {Pane::PlayerAdvert, "http://127.0.0.1:8790/box/js/ads/qvodad.html"},
        {Pane::ScrollingAdvert, "http://127.0.0.1:8790/box/js/ads/gun.html"},
        {Pane::SearchResults, "about:blank"},
    };
    for (const auto& [pane, url] : expected) EXPECT_EQ(PaneOf(pane).navigations, std::vector{url}) << PaneName(pane);
}

TEST_F(MainWindowLoad, OtherPanesLoadAfterAFailedOrSlowPortalPageToo) {
    LoadWith();
    panes[static_cast<size_t>(Pane::PortalPage)].events.navigateError("http://127.0.0.1:8790/box/");
    EXPECT_EQ(PaneOf(Pane::SidePage).navigations.size(), 1u);
    LoadWith();  // a new window whose portal page does not come
    timers.Advance(MainWindow::kOtherPanesDelayMs);
    EXPECT_EQ(PaneOf(Pane::HistoryList).navigations.size(), 2u);  // this window's too, once
    timers.Advance(5 * MainWindow::kOtherPanesDelayMs);
    EXPECT_EQ(PaneOf(Pane::HistoryList).navigations.size(), 2u);
}

TEST_F(MainWindowLoad, TheWindowFitsTheWorkAreaAndTakesKeysFirst) {
    LoadWith();
    EXPECT_EQ(host.maxWidth, 1920);
    EXPECT_TRUE(host.taskbarMinimize);
    EXPECT_TRUE(host.keyPreview);
    EXPECT_TRUE(played.empty());
}

TEST_F(MainWindowLoad, SavedSizeAppliesOnlyWhenTheOptionIsOn) {
    LoadWith();
    EXPECT_EQ(host.twipsWidth, 14750);
    EXPECT_EQ(host.twipsHeight, 7820);
    host.twipsWidth = host.twipsHeight = -1;
    WriteSetting(folder.File("config.dll"), "S_q", "s_size", "1");
    WriteSetting(folder.File("config.dll"), "S_q", "h_w", "30000");
    LoadWith();
    EXPECT_EQ(host.twipsWidth, -1);
}

// The start's one-shot checks run once; the status tick keeps running.
TEST_F(MainWindowLoad, TheStartChecksRunOnce) {
    LoadWith();
    timers.Advance(7000);  // the one-shot timers have fired once and stopped
    EXPECT_FALSE(Runs(WindowTimer::PlayerStartCheck));
    EXPECT_FALSE(Runs(WindowTimer::UpdateCheck));
    EXPECT_TRUE(Runs(WindowTimer::StatusTick));
}

TEST_F(MainWindowLoad, CommandLineItemIsPlayedAfterLoad) {
    LoadWith("/home/u/Videos/a.mkv");
    EXPECT_EQ(played, std::vector<std::string>{"/home/u/Videos/a.mkv"});
}

}  // namespace
}  // namespace ruvo
