#pragma once
// What most parts tested alone are given: a program folder with its
// settings, the screen and the logic's view of it, a player, virtual timers
// with the window's status tick, and what plays.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/SettingsFile.h"
#include "config/UserOptions.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualTimers.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlaySession.h"
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
    PlaySession session;
    AdPanes ads;

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
