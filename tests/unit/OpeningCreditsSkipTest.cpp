// Skipping openings and credits, on the ports' fakes: what the picture
// offers while an episode plays, where a skip lands and how it is taken back,
// the play-on at the credits, the person's marks in the title's file, and
// which episodes are heard.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "config/FileSystem.h"
#include "fakes/PartFixture.h"
#include "playback/OpeningCreditsSkip.h"

namespace ruvo {
namespace {

// Hears nothing by itself: a test answers each listening.
class FakeListening : public EpisodeListening {
public:
    int Listen(const std::string& address, std::function<void(std::optional<HeardEpisode>)> done) override {
        asked.push_back(address);
        pending[++tickets] = {address, std::move(done)};
        return tickets;
    }
    int Aside(std::function<void()> work, std::function<void()> done) override {
        work();
        done();
        return ++tickets;
    }
    void Cancel(int ticket) override {
        if (!pending.count(ticket)) return;
        cancelled.push_back(pending[ticket].first);
        pending.erase(ticket);
    }
    void Answer(const std::string& address, std::optional<HeardEpisode> heard) {
        for (auto& [ticket, call] : pending)
            if (call.first == address) {
                auto done = std::move(call.second);
                pending.erase(ticket);
                return done(std::move(heard));
            }
        ADD_FAILURE() << "nothing asked of " << address;
    }
    std::vector<std::string> asked, cancelled;
    std::map<int, std::pair<std::string, std::function<void(std::optional<HeardEpisode>)>>> pending;
    int tickets = 0;
};

// Sound that is the same wherever the same seed makes it: `seconds` of it
// from `seed`, as prints every 0.125 s and bands every 0.025 s.
void AddSound(HeardStretch& stretch, unsigned seed, double seconds) {
    std::mt19937 random(seed);
    for (int i = 0; i < static_cast<int>(seconds / 0.125); ++i) stretch.prints.push_back(random());
    for (int i = 0; i < static_cast<int>(seconds / 0.025); ++i) {
        SoundBands bands{};
        for (auto& band : bands) band = static_cast<std::uint8_t>(60 + random() % 150);
        stretch.bands.push_back(bands);
    }
}

// An episode: a cold open, the title's 40 s opening, its own story, and
// 30 s of the title's credits at its end.
HeardEpisode Episode(unsigned own, double coldOpen) {
    HeardEpisode episode;
    episode.duration = 480;
    for (HeardStretch* stretch : {&episode.head, &episode.tail}) {
        stretch->printStep = 0.125;
        stretch->bandStep = 0.025;
    }
    episode.head.seconds = 120;
    AddSound(episode.head, own, coldOpen);
    AddSound(episode.head, 7, 40);
    AddSound(episode.head, own + 1, 120 - coldOpen - 40);
    episode.tail.startSeconds = 360;
    episode.tail.seconds = 120;
    AddSound(episode.tail, own + 2, 90);
    AddSound(episode.tail, 9, 30);
    return episode;
}

class Skipping : public test::PartFixture {
protected:
    FakeListening listening;
    std::unique_ptr<Timer> wayBack = timers.CreateTimer(), creditsStart = timers.CreateTimer();
    std::vector<std::string> notices;
    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay, [] {},
                               [this](const std::string& text) { tips.push_back(text); }, [] {}}};
    std::unique_ptr<OpeningCreditsSkip> skip;
    const std::string titleFile = folder.File("skips/12-0.txt");

    void SetUp() override {
        options.Set(Option::AutoPlayNext, true);
        Restart();
        player.SetEventHandler([this](PlayerEvent event) {
            monitor.PlayerReported(event);
            skip->PositionChanged();
        });
        statusTick->SetInterval(1000);
        statusTick->SetOnTick([this] {
            monitor.StatusTick();
            skip->PositionChanged();
        });
        endOfPlay->SetInterval(2000);
        endOfPlay->SetOnTick([this] { monitor.EndOfPlayTick(); });
    }
    // The program starts again: the title's file is all it remembers.
    void Restart() {
        skip = std::make_unique<OpeningCreditsSkip>(OpeningCreditsSkip::Parts{
            playback, player, listening, options, folder.Path(), *wayBack, *creditsStart,
            [this](const std::string& text, int seconds) {
                notices.push_back(text);
                monitor.ShowNotice(text, seconds);
            },
            [this] { monitor.EndNow(); }, [this] { monitor.EndOfPlayTick(); }, [this] { monitor.CancelEnd(); },
            [this](const std::string& line) { trace.push_back(line); }});
    }
    // Episode `number` of title 12 plays from its start, with episode
    // number + 1 known to follow.
    void Play(int number, const std::string& nextAddress = "http://m/e1.mp4") {
        playback.Start({EpisodePlay{{"12", "0", std::to_string(number), "T"}, "", "http://m/e0.mp4", "qvod"}});
        player.state = PlayerState::Playing;
        player.duration = 480;
        player.position = 0;
        playback.PictureShown();
        playback.LearnNext(Following(EpisodePlay{{"12", "0", std::to_string(number + 1), "T"}, "第2集",
                                                 nextAddress, "qvod"},
                                     nextAddress));
        skip->NextKnown();
    }
    void At(int position) {
        player.position = position;
        skip->PositionChanged();
    }
    std::string Button() const { return Visible(ControlName::SkipButton) ? Text(ControlName::SkipButton) : ""; }
    std::string FileText() const { return ReadWholeFile(titleFile).value_or(""); }
};

TEST_F(Skipping, TwoEpisodesHeardOnceFindTheirOpeningAndCreditsAndTheButtonOffersThem) {
    Play(0);
    ASSERT_EQ(listening.asked, (std::vector<std::string>{"http://m/e0.mp4", "http://m/e1.mp4"}));
    At(20);
    EXPECT_EQ(Button(), "");  // nothing known yet
    listening.Answer("http://m/e0.mp4", Episode(100, 12));
    listening.Answer("http://m/e1.mp4", Episode(200, 47));
    // Kept for both episodes: the opening where each has it, the credits at the end.
    const TitleSkips kept = ReadTitleSkips(titleFile);
    ASSERT_TRUE(kept.OpeningOf(0) && kept.OpeningOf(1) && kept.CreditsOf(0, 480));
    EXPECT_NEAR(kept.OpeningOf(0)->stretch.start, 12, 0.5);
    EXPECT_NEAR(kept.OpeningOf(0)->stretch.end, 52, 0.5);
    EXPECT_NEAR(kept.OpeningOf(1)->stretch.start, 47, 0.5);
    EXPECT_NEAR(kept.CreditsOf(0, 480)->stretch.start, 450, 0.5);

    EXPECT_EQ(Button(), "跳过片头");
    skip->Skip();
    EXPECT_EQ(player.position, 52);
    At(53);
    EXPECT_EQ(Button(), "");
    At(455);
    EXPECT_EQ(Button(), "跳过片尾");
    At(479);
    EXPECT_EQ(Button(), "");  // a press in the last second would skip nothing

    // Heard once: the same pair is not heard again, in this run or the next.
    listening.asked.clear();
    Restart();
    Play(0);
    EXPECT_TRUE(listening.asked.empty());
}

TEST_F(Skipping, ListeningStopsWhenThePersonMovesOnAndNeverLeavesTheWeb) {
    Play(0);
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("a.mp4"), "film"));
    ASSERT_TRUE(playback.Start({LocalFilePlay{folder.File("a.mp4"), "a.mp4", false}, 0}));
    skip->PositionChanged();
    EXPECT_EQ(listening.cancelled, (std::vector<std::string>{"http://m/e0.mp4", "http://m/e1.mp4"}));
    // A next episode the portal names with another protocol is not heard.
    listening.asked.clear();
    Play(3, "ftp://m/e4.mp4");
    Play(5, "file:///etc/passwd");
    EXPECT_TRUE(listening.asked.empty());
}

TEST_F(Skipping, TheAutomaticSkipsSayWhereTheyWentAndTheLeftArrowTakesThemBack) {
    ASSERT_TRUE(WriteTitleSkips(titleFile, TitleSkips::FromText("opening 0 10.00 50.50 1\ncredits 0 440.00 480.00 1\n")));
    options.Set(Option::AutoSkipOpening, true);
    options.Set(Option::AutoSkipCredits, true);
    Play(0);
    At(11);
    EXPECT_EQ(player.calls.back(), "seek:51");  // 50.5, the fake player keeps whole seconds
    EXPECT_EQ(notices.back(), "已跳过片头，按←返回");
    EXPECT_TRUE(skip->KeyDown(Key::Left));
    EXPECT_EQ(player.calls.back(), "seek:11");
    At(12);
    EXPECT_EQ(player.calls.back(), "seek:11");  // taken back, the opening plays this time
    EXPECT_EQ(Button(), "跳过片头");
    timers.Advance(6000);
    EXPECT_FALSE(skip->KeyDown(Key::Left));  // the way back lasts five seconds

    // At the credits' start the end of play begins; the left arrow calls it off once.
    At(439);
    player.position = 440;
    timers.Advance(1000);
    EXPECT_EQ(notices.back(), "已跳过片尾，按←返回");
    EXPECT_TRUE(skip->KeyDown(Key::Left));
    timers.Advance(3000);
    EXPECT_EQ(player.url, "http://m/e0.mp4");
    EXPECT_EQ(Button(), "跳过片尾");
    // Next time the credits come, the next episode follows two seconds after their start.
    Play(0);
    At(439);
    player.position = 440;
    timers.Advance(1000);
    EXPECT_EQ(player.url, "http://m/e0.mp4");
    timers.Advance(2000);
    EXPECT_EQ(player.url, "http://m/e1.mp4");
}

TEST_F(Skipping, ThePersonsMarksWinSurviveARestartAndClearBackToWhatWasFound) {
    ASSERT_TRUE(WriteTitleSkips(titleFile, TitleSkips::FromText("opening 0 10.00 50.00 1\n")));
    Play(0);
    At(30);
    skip->MarkOpeningEnd();
    At(400);
    skip->MarkCreditsStart();
    EXPECT_EQ(FileText(), "mark opening-end 30.00\nmark credits-before-end 80.00\nopening 0 10.00 50.00 1\n");
    Restart();
    Play(5);  // every episode of the title
    At(2);
    EXPECT_EQ(Button(), "跳过片头");
    skip->Skip();
    EXPECT_EQ(player.position, 30);
    At(401);
    EXPECT_EQ(Button(), "跳过片尾");
    skip->ClearMarks();
    EXPECT_EQ(FileText(), "opening 0 10.00 50.00 1\n");
}

TEST(TitleSkipsFile, DisputedFindingsAreShownButNotTrustedAndGarbageIsSkipped) {
    TitleSkips skips = TitleSkips::FromText(
        "opening 0 10 50 1\nopening x 1 2 1\nopening 1 -5 20 1\nopening 1 nan 20 1\nopening 1 30 20 1\n"
        "credits 2 1e300 1e301 1\nmark opening-end inf\nheard 1\n\xff\xfe junk\n");
    EXPECT_EQ(skips.Text(), "opening 0 10.00 50.00 1\n");
    skips.AddFinding(0, {Stretch{10.4, 50.6}, std::nullopt});  // the same place again
    EXPECT_TRUE(skips.OpeningOf(0)->trusted);
    skips.AddFinding(0, {Stretch{80, 120}, std::nullopt});
    skips.AddFinding(0, {Stretch{80, 120}, std::nullopt});
    EXPECT_FALSE(skips.OpeningOf(0)->trusted);  // two pairs against two
    EXPECT_EQ(skips.OpeningOf(0)->stretch.start, 10);
    EXPECT_FALSE(TitleSkipsPath("/p", "../x", "0"));
    EXPECT_FALSE(TitleSkipsPath("/p", "12", "a/b"));
}

}  // namespace
}  // namespace ruvo
