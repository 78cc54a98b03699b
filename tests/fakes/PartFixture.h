#pragma once
// What most parts tested alone are given: a program folder with its
// settings and lists, the screen and the logic's view of it, a player and a
// page player, a portal that answers look-ups, virtual timers with the
// window's status tick, and the owner of what plays, drawn on the screen.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/SettingsFile.h"
#include "config/UserOptions.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualTimers.h"
#include "history/HistoryLists.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/Playback.h"
#include "playback/PlayerAreaDrawing.h"
#include "promo/AdPane.h"
#include "view/WindowView.h"

namespace ruvo::test {

class PartFixture : public testing::Test {
protected:
    TempFolder folder;
    SettingsFile settings{folder.File("config.dll")};
    UserOptions options{settings};
    FakeControls controls;  // the screen
    WindowView view{controls};
    FakePlayer player;
    VirtualTimers timers;
    std::unique_ptr<Timer> statusTick = timers.CreateTimer(), endOfPlay = timers.CreateTimer();
    AdPanes ads;
    static constexpr const char* kPortalBase = "http://portal.test/box/";
    FakeWebPane pagePlayer;
    FakeFetch fetch;
    HistoryLists lists{folder.Path()};
    EpisodeLookup lookup{kPortalBase, [this](const std::string& url, auto done) { fetch.Get(url, 60, std::move(done)); }};
    std::vector<std::string> tips, trace;
    int titlePagesShown = 0;
    Playback playback{{lookup, kPortalBase, pagePlayer, player, lists, options, *statusTick, *endOfPlay,
                       [this](const std::string& text) { tips.push_back(text); }, [this] { ++titlePagesShown; },
                       [this](const std::string& line) { trace.push_back(line); }}};

    PartFixture() {
        playback.Subscribe([this](const PlayerArea& now, const PlayerArea& before) { DrawPlayerArea(view, now, before); });
    }
    const PlaySession& session() const { return playback.Session(); }
    // What follows, as the next-episode look-up would have found it.
    static NextEpisode Following(EpisodePlay play, std::string address) {
        NextEpisode next;
        next.Found(std::move(play), std::move(address));
        return next;
    }
    static NextEpisode Following(NextEpisode::Kind kind) {
        NextEpisode next;
        next.Mark(kind);
        return next;
    }

    // The status monitor hears the player and ticks as the window has it.
    void Follow(PlayStatusMonitor& monitor) {
        player.SetEventHandler([&monitor](PlayerEvent event) { monitor.PlayerReported(event); });
        statusTick->SetInterval(1000);
        statusTick->SetOnTick([&monitor] { monitor.StatusTick(); });
        statusTick->SetEnabled(true);
        endOfPlay->SetInterval(2000);
        endOfPlay->SetOnTick([&monitor] { monitor.EndOfPlayTick(); });
    }

    std::string Text(ControlName name) const { return controls.Text({name}); }
    bool Visible(ControlName name) const { return controls.IsVisible({name}); }
};

}  // namespace ruvo::test
