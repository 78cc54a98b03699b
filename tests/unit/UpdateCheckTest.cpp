#include <gtest/gtest.h>

#include "app/UpdateCheck.h"
#include "fakes/PartFixture.h"

namespace ruvo {
namespace {

constexpr const char* kPortal = "http://127.0.0.1:8790/box/";
constexpr const char* kUpdateUrl = "http://127.0.0.1:8790/box/lib/wen.txt";

// The update check alone, on the ports' fakes.
class UpdateCheckTest : public test::PartFixture {
protected:
    test::FakeFetch fetch;
    test::FakeProcesses processes;
    test::FakeShell shell;
    test::FakeDialogs dialogs;
    UpdateState update;
    std::unique_ptr<Timer> floatingAdvert = timers.CreateTimer();
    int floatingAdsShown = 0, exits = 0;
    UpdateCheck check{{PortalFrom(kPortal), folder.Path(),
                       [this](const std::string& url, auto done) { fetch.Get(url, 60, std::move(done)); }, processes,
                       shell, dialogs, view, ads, update, *floatingAdvert, [this] { ++exits; }}};

    void SetUp() override {
        floatingAdvert->SetInterval(20000);
        floatingAdvert->SetOnTick([this] {
            floatingAdvert->SetEnabled(false);
            ++floatingAdsShown;
        });
    }
    // The update file as the portal serves it, checked once after start.
    void CheckWith(std::optional<std::string> body) {
        fetch.replies[kUpdateUrl] = std::move(body);
        check.Check();
    }
};

TEST(UpdateFile, FieldsAndTheirRules) {
    auto file = ParseUpdateFile("1====1====1====1====1.1\r\n");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->exitPopupFlag, "1");
    EXPECT_TRUE(file->floatingAd && file->playerAd && file->scrollAd);
    EXPECT_EQ(file->latestVersion, "1.1");
    file = ParseUpdateFile("x====2====yes");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->floatingAd || file->playerAd || file->scrollAd);
    EXPECT_EQ(file->latestVersion, "");
    EXPECT_FALSE(ParseUpdateFile(""));
    EXPECT_FALSE(ParseUpdateFile("<html>not found</html>"));
    EXPECT_FALSE(ParseUpdateFile(std::string(10 << 20, '=')));
    EXPECT_FALSE(IsOfferedAtStart("1.0"));
    EXPECT_FALSE(IsOfferedAtStart("0"));
    EXPECT_FALSE(IsOfferedAtStart("0.00"));
    EXPECT_TRUE(IsOfferedAtStart("0.9"));  // versions are never ordered
    EXPECT_FALSE(IsOfferedAtStart("beta"));  // not a version: digits and dots only
    EXPECT_FALSE(IsOfferedAtStart("<b style=color:red>2.0</b>"));
}

TEST_F(UpdateCheckTest, CurrentVersionHidesTheBarAndOffersNothing) {
    controls.SetVisible({ControlName::ScrollAdBar}, true);
    CheckWith("0====0====0====0====1.0");
    EXPECT_EQ(fetch.requests, std::vector<std::string>{kUpdateUrl});
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(floatingAdvert->IsEnabled());
}

TEST_F(UpdateCheckTest, NewVersionAnsweredNoSwitchesTheAdsOn) {
    CheckWith("1====1====1====1====1.1\r\n");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "检测到最新版本 1.1 ,你需要现在升级吗？");
    EXPECT_EQ(dialogs.questions[0].title, "Ruvo影视盒提示：");
    EXPECT_EQ(dialogs.icons[0], Dialogs::Icon::None);  // an offer, not a warning
    EXPECT_TRUE(update.recommendOnExit);
    EXPECT_EQ(ads.player, AdPane::Shown);
    EXPECT_EQ(ads.scroll, AdPane::Shown);
    EXPECT_TRUE(Visible(ControlName::ScrollAdBar));
    timers.Advance(20000);
    EXPECT_EQ(floatingAdsShown, 1);
    timers.Advance(60000);
    EXPECT_EQ(floatingAdsShown, 1);
    EXPECT_EQ(exits, 0);
}

TEST_F(UpdateCheckTest, YesStartsTheLocalUpdaterAndExitsWithoutTheRecommendation) {
    folder.Write("update.exe", "#!/bin/sh\n");
    dialogs.answerYes = true;
    CheckWith("1====1====0====0====2.0");
    EXPECT_EQ(processes.started, std::vector<std::string>{folder.File("update.exe")});
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(update.recommendOnExit);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(floatingAdvert->IsEnabled());
}

TEST_F(UpdateCheckTest, YesWithoutALocalUpdaterOpensItsAddress) {
    dialogs.answerYes = true;
    CheckWith("0====0====0====0====2.0");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:8790/box/update/update.exe"});
    EXPECT_EQ(exits, 1);
}

TEST_F(UpdateCheckTest, PlayerAdStaysOffWhenItsPaneFailedAndTheBarStaysHidden) {
    ads.player = AdPane::Failed;
    ads.scroll = AdPane::Failed;
    CheckWith("0====0====1====1====1.0");
    EXPECT_EQ(ads.player, AdPane::Failed);
    EXPECT_EQ(ads.scroll, AdPane::Failed);
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
}

TEST_F(UpdateCheckTest, OneSeparatorSetsOnlyTheExitFlag) {
    CheckWith("1====0");
    EXPECT_TRUE(update.recommendOnExit);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
}

TEST_F(UpdateCheckTest, FailedOrMalformedFetchChangesNothing) {
    controls.SetVisible({ControlName::ScrollAdBar}, true);
    CheckWith(std::nullopt);
    EXPECT_TRUE(Visible(ControlName::ScrollAdBar));
    EXPECT_FALSE(update.recommendOnExit);
    check.Offer();
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "你现在使用的是最新版本，无需升级！");
    EXPECT_EQ(dialogs.notices[0].title, "提示：");
}

TEST_F(UpdateCheckTest, ManualOfferAlsoOffersZeroAndKeepsTheExitFlag) {
    CheckWith("1====0====0====0====0");
    EXPECT_TRUE(dialogs.questions.empty());
    dialogs.answerYes = true;
    check.Offer();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "检测到最新版本 0 ,你需要现在升级吗？");
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(update.recommendOnExit);  // the exit shows the recommendation
}

TEST_F(UpdateCheckTest, OnlyAVersionIsOffered) {
    CheckWith("0====0====0====0====" + std::string(300, '9'));  // longer than any version
    EXPECT_TRUE(dialogs.questions.empty());
    check.Offer();  // the menu's update check: nothing newer to offer
    EXPECT_TRUE(dialogs.questions.empty());
    CheckWith("0====0====0====0====2.10.3");
    dialogs.questions.clear();
    check.Offer();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(dialogs.questions[0].text.find("2.10.3"), std::string::npos);
}

}  // namespace
}  // namespace ruvo
