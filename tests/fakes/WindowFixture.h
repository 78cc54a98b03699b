#pragma once
// A main window on fakes: a fresh program folder after a real start-up, nine
// recording panes, a fake player, fetch, tray and controls, and virtual timers.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>

#include "app/MainWindow.h"
#include "app/Startup.h"
#include "base/TextCodec.h"
#include "config/SettingsFile.h"
#include "fakes/FakeWindowPorts.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualTimers.h"
#include "shell/FrameState.h"

namespace ruvo::test {

inline constexpr const char* kTestPortal = "http://127.0.0.1:8790/box/";

// A fresh program folder after a real start-up: its settings, lists and
// the player's configuration as a first run leaves them.
class StartedFolder : public testing::Test {
protected:
    TempFolder folder;
    SettingsFile settings{folder.File("config.dll")};

    void SetUp() override {
        FakePlayerProbe probe;
        FakeDialogs dialogs;
        FakeShell startupShell;
        FakeAdapters adapters;
        adapters.address = "00:16:3e:01:02:03";
        FakeClock clock;
        StartupPorts ports{probe, dialogs, startupShell, adapters, clock};
        RunStartup(folder.Path(), settings, PortalFrom(kTestPortal), ports);
    }
    // Writes a list file the way the program does (GB18030).
    void WriteList(std::string_view name, const std::string& text) { folder.Write(name, EncodeGb18030(text)); }
    void Setting(const char* key, const char* value) { WriteSetting(folder.File("config.dll"), "S_q", key, value); }
    std::string SettingOf(const char* key) { return ReadSetting(folder.File("config.dll"), "S_q", key, "0"); }
};

class WindowFixture : public StartedFolder, protected FakeWindowPorts {
protected:
    std::unique_ptr<MainWindow> window;
    std::optional<WindowIntents> intents_;

    // The fakes as the window's ports.
    MainWindowPorts Ports() {
        surface.controls = &controls;
        return PortsWith(controls, surface);
    }
    // Builds the window and runs its load.
    void Load(const std::string& commandLine = "") {
        intents_.reset();
        window = std::make_unique<MainWindow>(Ports(), settings, folder.Path(), PortalFrom(kTestPortal));
        window->Load(commandLine);
        Web(Pane::PortalPage).events.downloadComplete();  // the portal's page has come
        for (auto& pane : panes) pane.navigations.clear();
    }
    // What the user does in the window, as the window takes it.
    WindowIntents& User() {
        if (!intents_) intents_ = window->Intents();
        return *intents_;
    }
    // Whether the window's timer runs; stopping it.
    bool Runs(WindowTimer timer) const { return timers.Running(DesignOf(timer).interval); }
    void Stop(WindowTimer timer) { timers.Stop(DesignOf(timer).interval); }
    FakeWebPane& Web(Pane pane) { return panes[static_cast<size_t>(pane)]; }
    // A navigation the page itself starts (a click or a script).
    bool PageNavigates(Pane pane, const std::string& url) {
        bool cancel = false;
        Web(pane).events.beforeNavigate(url, cancel);
        return cancel;
    }
    // The local file a.mp4, listed in date_f.dat, plays at second
    // `position`: the user opened it from the local list.
    void PlayingLocalFile(int position) {
        folder.Write("a.mp4", "video");
        WriteList("date_f.dat", LocalLine(0));
        User().buttonClick(TabButtonOf(RightPanelTab::LocalFiles));
        PageNavigates(Pane::LocalList, "open://1");
        player.state = PlayerState::Playing;
        player.position = position;
        player.calls.clear();
    }
    // a.mp4's line in the local list, at second `position`.
    std::string LocalLine(int position) { return "a.mp4|" + folder.File("a.mp4") + "|" + std::to_string(position) + "\r\n"; }
    std::string Text(ControlName name) { return controls.Text({name}); }
    bool Visible(ControlName name) { return controls.IsVisible({name}); }
};

}  // namespace ruvo::test
