#include <gtest/gtest.h>

#include "app/UpdateCheck.h"
#include "fakes/WindowFixture.h"

namespace ruvo {
namespace {

constexpr const char* kUpdateUrl = "http://127.0.0.1:8790/box/lib/wen.txt";

class UpdateCheck : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load();
    }
    // The update file as the portal serves it, checked by the timer.
    void CheckWith(std::optional<std::string> body) {
        fetch.replies[kUpdateUrl] = std::move(body);
        timers.Advance(6000);
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

TEST_F(UpdateCheck, CurrentVersionHidesTheBarAndOffersNothing) {
    controls.SetVisible({ControlName::ScrollAdBar}, true);
    CheckWith("0====0====0====0====1.0");
    EXPECT_EQ(fetch.requests, std::vector<std::string>{kUpdateUrl});
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(window->TimerOf(WindowTimer::UpdateCheck).IsEnabled());
    EXPECT_FALSE(window->TimerOf(WindowTimer::FloatingAdvert).IsEnabled());
    timers.Advance(60000);
    EXPECT_EQ(fetch.requests.size(), 1u);  // once per process
}

TEST_F(UpdateCheck, NewVersionAnsweredNoSwitchesTheAdsOn) {
    CheckWith("1====1====1====1====1.1\r\n");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "检测到最新版本 1.1 ,你需要现在升级吗？");
    EXPECT_EQ(dialogs.questions[0].title, "Ruvo影视盒提示：");
    EXPECT_EQ(dialogs.icons[0], Dialogs::Icon::None);  // an offer, not a warning
    EXPECT_TRUE(Update().recommendOnExit);
    EXPECT_EQ(Ads().player, AdPane::Shown);
    EXPECT_EQ(Ads().scroll, AdPane::Shown);
    EXPECT_TRUE(Visible(ControlName::ScrollAdBar));
    EXPECT_TRUE(window->TimerOf(WindowTimer::FloatingAdvert).IsEnabled());
    timers.Advance(20000);
    EXPECT_EQ(forms.steps, std::vector<std::string>{"floating ad"});
    EXPECT_FALSE(window->TimerOf(WindowTimer::FloatingAdvert).IsEnabled());
}

TEST_F(UpdateCheck, YesStartsTheLocalUpdaterAndExitsWithoutTheRecommendation) {
    folder.Write("update.exe", "#!/bin/sh\n");
    dialogs.answerYes = true;
    CheckWith("1====1====0====0====2.0");
    EXPECT_EQ(processes.started, std::vector<std::string>{folder.File("update.exe")});
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(Update().recommendOnExit);
    EXPECT_EQ(forms.steps.back(), "end");
    EXPECT_FALSE(window->TimerOf(WindowTimer::FloatingAdvert).IsEnabled());
}

TEST_F(UpdateCheck, YesWithoutALocalUpdaterOpensItsAddress) {
    dialogs.answerYes = true;
    CheckWith("0====0====0====0====2.0");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:8790/box/update/update.exe"});
    EXPECT_EQ(forms.steps.back(), "end");
}

TEST_F(UpdateCheck, PlayerAdStaysOffWhenItsPaneFailedAndTheBarStaysHidden) {
    Ads().player = AdPane::Failed;
    Ads().scroll = AdPane::Failed;
    CheckWith("0====0====1====1====1.0");
    EXPECT_EQ(Ads().player, AdPane::Failed);
    EXPECT_EQ(Ads().scroll, AdPane::Failed);
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
}

TEST_F(UpdateCheck, OneSeparatorSetsOnlyTheExitFlag) {
    CheckWith("1====0");
    EXPECT_TRUE(Update().recommendOnExit);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(Visible(ControlName::ScrollAdBar));
}

TEST_F(UpdateCheck, FailedOrMalformedFetchChangesNothing) {
    controls.SetVisible({ControlName::ScrollAdBar}, true);
    CheckWith(std::nullopt);
    EXPECT_TRUE(Visible(ControlName::ScrollAdBar));
    EXPECT_FALSE(Update().recommendOnExit);
    window->OfferUpdate();
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "你现在使用的是最新版本，无需升级！");
    EXPECT_EQ(dialogs.notices[0].title, "提示：");
}

TEST_F(UpdateCheck, ManualOfferAlsoOffersZeroAndKeepsTheExitFlag) {
    CheckWith("1====0====0====0====0");
    EXPECT_TRUE(dialogs.questions.empty());
    dialogs.answerYes = true;
    window->OfferUpdate();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "检测到最新版本 0 ,你需要现在升级吗？");
    EXPECT_EQ(forms.steps.back(), "recommendation");
}

TEST_F(UpdateCheck, OnlyAVersionIsOffered) {
    CheckWith("0====0====0====0====" + std::string(300, '9'));  // longer than any version
    EXPECT_TRUE(dialogs.questions.empty());
    window->OfferUpdate();  // the menu's update check: nothing newer to offer
    EXPECT_TRUE(dialogs.questions.empty());
    Update().latestVersion = "2.10.3";
    window->OfferUpdate();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(dialogs.questions[0].text.find("2.10.3"), std::string::npos);
}

}  // namespace
}  // namespace ruvo
