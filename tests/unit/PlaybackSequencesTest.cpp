// What plays, driven by random sequences of what a person and the player do:
// episode links and look-ups, rows of either list played again (the playing
// row too), files opened, a television channel, play/pause, stop, previous
// and next, the item playing on, its end, a 404 and a missing file. After
// every step the window and the lists must agree with a small model of what
// the person did. A failure shrinks to its shortest sequence; the ones found
// so are kept below as named cases.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <map>
#include <set>

#include "base/LinkText.h"
#include "config/TextFile.h"
#include "fakes/FakeWindowPorts.h"
#include "fakes/PartFixture.h"
#include "portal/LinkDispatcher.h"

namespace ruvo {
namespace {

// An item as the model knows it: its row's key, and where its place is.
struct Known {
    std::string key;      // the title id, or the file's path; "" for a channel
    bool local = false;   // a file, kept among the local files
    bool failed = false;  // it could not be played: never listed
    bool shown = false;   // it showed its picture: listed
    bool ended = false;
    int position = 0;
    bool fresh = true;    // not a row played again: listed anew, from 0
    bool stopped = false; // stopped by the person: played again, it goes on from its row's place
};

class World : public test::PartFixture {
public:
    void TestBody() override {}
    std::string File(const char* name) { return folder.File(name); }
    int Last() { return session().lastPosition; }
    int Resume() { return session().resumeAt; }
    PlayPhase Phase() { return playback.Area().phase; }

    World() {
        PartFixture::Follow(monitor);
        view.SetVisible({ControlName::PagePlayerBox}, false);  // as the window opens
        for (const Pane pane : kAllPanes) {
            WebPaneEvents events;
            events.beforeNavigate = dispatcher.HandlerFor(pane);
            panes[static_cast<size_t>(pane)].SetEvents(events);
        }
        folder.Write("date.dat", "");
        folder.Write("date_f.dat", "");
        folder.Write("a.mp4", "video");
        folder.Write("b.mp4", "video");
        for (int title = 1; title <= 2; ++title)
            for (int number = 0; number <= 3; ++number)
                fetch.replies[lookup.RequestUrl(Episode(title, number))] =
                    "%u7B2C" + std::to_string(number) + "%u96C6$" + Address(title, number) + "$qvod";
    }

    // ---- What the person does ----
    void ClickEpisode(int title, int number) {
        Navigate(Pane::PortalPage, "eebovod://" + std::to_string(title) + "-0-" + std::to_string(number) + "-T" +
                                     std::to_string(title));
        Sync();
    }
    void OpenFile(int which) {
        const std::string path = which == 0 ? folder.File("a.mp4") : which == 1 ? folder.File("b.mp4") : "/no/such/c.mp4";
        LeaveCurrent();
        if (playback.Start({LocalFilePlay{path, "f" + std::to_string(which)}})) Begin({path, true});
    }
    void ReplayRow(bool localList, int pick) {
        const auto rows = ReadTextFileLines(folder.File(localList ? "date_f.dat" : "date.dat")).value_or(std::vector<std::string>{});
        std::vector<int> lines;  // the rows' line numbers, blank lines left out
        for (size_t i = 0; i < rows.size(); ++i)
            if (!rows[i].empty()) lines.push_back(static_cast<int>(i) + 1);
        if (lines.empty()) return;
        const int line = lines[pick % lines.size()];
        const auto fields = SplitText(rows[line - 1], "|");
        const std::string key = FieldAt(fields, localList ? 1 : 0);
        LeaveCurrent();
        localListLast = localList;
        Navigate(localList ? Pane::LocalList : Pane::HistoryList, "open://" + std::to_string(line));
        // The place it starts at is the one its row holds now: the item left
        // was stored first, the playing row's own place included.
        RC_ASSERT(session().resumeAt == places[key]);
        Begin({key, localList});
        current->position = places[key];
        current->fresh = false;
    }
    void Television() {
        LeaveCurrent();
        Navigate(Pane::PortalPage, "eetvs://news&&&ch=1");
        current.reset();
        seenItem = playback.ItemNumber();
    }
    void TogglePause() { playback.TogglePause(); }
    void Stop() {
        if (!player.url.empty() && playback.Area().ShowsPlayer()) LeaveCurrent();
        if (current && current->shown && !current->failed && playback.Area().ShowsPlayer()) current->stopped = true;
        playback.Stop();
        answered.clear();  // played again, the player loads it anew
    }
    void Step(int step) {
        playback.StepEpisode(step);
        Sync();
    }

    // ---- What the player does ----
    void PlaysOn(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            if (player.state == PlayerState::Playing && player.position < player.duration - 3) {
                ++player.position;
                if (current && !current->ended) current->position = player.position;
            }
            timers.Advance(1000);
        }
    }
    // It reaches its end; the end of play follows two seconds later unless
    // the person acts first (`wait` false).
    void ReachesTheEnd(bool wait) {
        if (player.state != PlayerState::Playing || !current) return;
        player.position = player.duration;
        player.state = PlayerState::Ended;
        player.Report(PlayerEvent::EndOfFile);
        if (wait) timers.Advance(3000);
        current->ended = true;
        current->position = 1;  // played again, it starts over
    }

    // ---- After every step ----
    // The player answers what it was asked to load: a picture, or a failure.
    void PlayerAnswers() {
        if (player.calls.empty() || player.calls.back() != "play" || player.url == answered) return;
        answered = player.url;
        if (player.url.find("404") != std::string::npos) {
            player.state = PlayerState::Idle;
            player.failure = "无法播放：404";
            player.Report(PlayerEvent::Failed);
            if (current) current->failed = true;
            return;
        }
        player.failure.clear();
        player.state = PlayerState::Playing;
        player.position = session().resumeAt;  // where it was asked to start
        player.duration = 600;
        player.Report(PlayerEvent::FirstFrame);
        if (!current) return;
        if (current->stopped) RC_ASSERT(session().resumeAt == places[current->key]);
        current->stopped = false;
        current->shown = true;
        current->ended = false;  // played again after its end, it goes on from where it starts
        current->position = player.position;
        if (current->fresh) places[current->key] = 0;
    }
    void Check() {
        const bool pagePlayerShows = controls.IsVisible({ControlName::PagePlayerBox});
        // Nothing plays where the person cannot see it.
        if (player.state == PlayerState::Playing) RC_ASSERT(!pagePlayerShows);
        RC_ASSERT(pagePlayerShows != controls.IsVisible({ControlName::PlayerBox}));
        // One row per title and per file; nothing that could not play is listed.
        for (const auto& [list, keyField] : {std::pair{"date.dat", 0}, std::pair{"date_f.dat", 1}}) {
            std::set<std::string> keys;
            for (const std::string& row : ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{})) {
                const std::string key = FieldAt(SplitText(row, "|"), keyField);
                RC_ASSERT(keys.insert(key).second);
                RC_ASSERT(row.find("404") == std::string::npos);
            }
        }
        // The title line and the status belong to what plays now.
        if (current && current->shown && !current->ended && player.state == PlayerState::Playing) {
            RC_ASSERT(!controls.IsVisible({ControlName::PlayerCover}));
            RC_ASSERT(controls.Text({ControlName::StatusLine}) != "无法播放：404");
            RC_ASSERT(controls.Text({ControlName::StatusLine}) != "播放完毕");
            RC_ASSERT(controls.Text({ControlName::TitleLine}).find("%u") == std::string::npos);
        }
    }

private:
    static PortalEpisode Episode(int title, int number) {
        return {std::to_string(title), "0", std::to_string(number), ""};
    }
    // Episode 2 of title 2 answers 404.
    static std::string Address(int title, int number) {
        return "http://m/" + std::string(title == 2 && number == 2 ? "404-" : "") + std::to_string(title) + "-" +
               std::to_string(number) + ".mp4";
    }
    void Navigate(Pane pane, const std::string& url) {
        bool cancel = false;
        panes[static_cast<size_t>(pane)].events.beforeNavigate(url, cancel);
    }
    // A look-up that answered started the episode it asked for.
    void Sync() {
        if (playback.ItemNumber() == seenItem || !session().episode) return;
        LeaveCurrent();
        Begin({session().episode->titleId, false});
    }
    // The item left keeps its place in its row, when it has one.
    void LeaveCurrent() {
        if (!current || current->failed || !current->shown) return;
        if (current->position > 0) places[current->key] = current->position;
        else if (!places.count(current->key)) places[current->key] = 0;
    }
    void Begin(Known item) {
        seenItem = playback.ItemNumber();
        current = std::move(item);
        answered.clear();
        if (!places.count(current->key)) places[current->key] = 0;
    }

    PlayStatusMonitor monitor{{player, playback, ads, view, options, *statusTick, *endOfPlay, [] {},
                               [this](const std::string& text) { tips.push_back(text); }, [] {}}};
    std::array<test::FakeWebPane, kPaneCount> panes;
    PaneFailures failures;
    test::FakeDialogs dialogs;
    bool localListLast = false;
    LinkDispatcher dispatcher{{test::PaneSetOf(panes), PortalFrom(kPortalBase), folder.Path(), failures, view, lists,
                               dialogs, playback, [](bool) {}, [] {}, [](const std::string&) {},
                               [this] { return localListLast; }}};
    std::optional<Known> current;
    std::map<std::string, int> places;  // the place each listed item's row should hold
    std::string answered;               // the address the player last answered for
    int seenItem = 0;                   // the owner's item the model follows
};

// One thing a person or the player does, with its arguments.
struct Action {
    int kind = 0, a = 0, b = 0;
};

// A shrunk sequence reads as the steps to write down as a named case.
[[maybe_unused]] void showValue(const Action& action, std::ostream& os) {
    os << "{" << action.kind << ", " << action.a << ", " << action.b << "}";
}

void Perform(World& world, const Action& action) {
    switch (action.kind) {
        case 0: world.ClickEpisode(1 + action.a % 2, action.b % 4); break;
        case 1: world.ReplayRow(false, action.a); break;
        case 2: world.ReplayRow(true, action.a); break;
        case 3: world.OpenFile(action.a % 3); break;
        case 4: world.TogglePause(); break;
        case 5: world.Stop(); break;
        case 6: world.Step(action.a % 2 == 0 ? 1 : -1); break;
        case 7: world.Television(); break;
        case 8: world.PlaysOn(1 + action.a % 40); break;
        case 9: world.ReachesTheEnd(action.a % 2 == 0); break;
    }
    world.PlayerAnswers();
    world.Check();
}

// A sequence the property once shrank to, replayed as a plain test.
void Replay(std::initializer_list<std::array<int, 3>> steps) {
    World world;
    try {
        for (const auto& [kind, a, b] : steps) Perform(world, {kind, a, b});
    } catch (const rc::detail::CaseResult& result) {
        FAIL() << result.description;
    }
}

RC_GTEST_PROP(PlaybackSequences, EveryStepLeavesTheWindowAndTheListsRight, ()) {
    const auto actions = *rc::gen::container<std::vector<Action>>(rc::gen::build<Action>(
        rc::gen::set(&Action::kind, rc::gen::inRange(0, 10)), rc::gen::set(&Action::a, rc::gen::inRange(0, 8)),
        rc::gen::set(&Action::b, rc::gen::inRange(0, 8))));
    World world;
    for (const Action& action : actions) Perform(world, action);
}

// Sequences the property found, kept as they shrank.
TEST(PlaybackSequences, ReplayingThePlayingRowResumesWhereItIsNow) {
    Replay({{0, 0, 1}, {8, 5, 0}, {1, 0, 0}, {8, 7, 0}, {1, 0, 0}});
}

TEST(PlaybackSequences, AnEndedItemReplayedFromItsRowStartsAtOne) {
    Replay({{3, 0, 0}, {8, 31, 0}, {9, 0, 0}, {2, 0, 0}});
}

TEST(PlaybackSequences, AnItemReplayedInItsLastSecondsStartsAtOne) {
    Replay({{3, 0, 0}, {8, 31, 0}, {9, 1, 0}, {2, 0, 0}});
}

TEST(PlaybackSequences, TheBarsPlayWhileThePagePlayerShowsPlaysNothingUnseen) {
    Replay({{0, 0, 0}, {5, 0, 0}, {7, 0, 0}, {4, 0, 0}});
}

// Play pressed after a refusal or a stop: a 404, a missing file refused,
// play, a channel (nothing plays behind the page player); a file stopped at
// its very end, played again, replayed from its row (it starts over); an
// ended episode stopped, played again for a second, replayed from its row
// (it keeps its new place).
TEST(PlaybackSequences, PlayAfterARefusalOrAStopStartsWhereItShould) {
    Replay({{0, 1, 1}, {6, 0, 0}, {3, 2, 0}, {4, 0, 0}, {7, 0, 0}});
    Replay({{3, 0, 0}, {8, 1, 0}, {9, 1, 0}, {5, 0, 0}, {4, 0, 0}, {2, 0, 0}});
    Replay({{0, 0, 0}, {9, 0, 0}, {5, 0, 0}, {4, 0, 0}, {8, 0, 0}, {1, 0, 0}});
}

TEST(PlaybackSequences, AnEpisodeThatAnswers404IsNeverListed) {
    Replay({{0, 1, 2}, {8, 3, 0}, {0, 1, 1}, {6, 0, 0}});
}

}  // namespace
}  // namespace ruvo
