#pragma once
// Every port of the main window as a fake, for the tests, the benchmarks and
// the fuzz targets.
#include <array>

#include "app/MainWindow.h"
#include "fakes/Fakes.h"
#include "fakes/VirtualTimers.h"

namespace ruvo::test {

// The nine panes, as the window and its parts take them.
inline PaneSet PaneSetOf(std::array<FakeWebPane, kPaneCount>& fakes) {
    PaneSet set;
    for (size_t i = 0; i < kPaneCount; ++i) set[i] = &fakes[i];
    return set;
}

// Every port of the main window as a fake.
struct FakeWindowPorts {
    FakeHost host;
    std::array<FakeWebPane, kPaneCount> panes;
    VirtualTimers timers;
    FakePlayer player;
    FakeFetch fetch;
    FakeTray tray;
    FakeControls controls;
    FakeDialogs dialogs;
    FakeProcesses processes;
    FakeMenus menus;
    FakeShell shell;
    FakeForms forms;
    FakeSettingsView settingsView;
    FakeSurface surface{host};
    FakeIdleInhibitor idle;

    // Forgets the calls the fakes have recorded (their state stays): a
    // long-running fuzz target would otherwise grow without end.
    void ForgetCalls() {
        for (FakeWebPane& pane : panes) pane.navigations.clear();
        host.calls.clear();
        player.calls.clear();
        fetch.requests.clear();
        tray.tips.clear();
        tray.calls.clear();
        dialogs.questions.clear();
        dialogs.notices.clear();
        dialogs.fileDialogs.clear();
        dialogs.folderDialogs.clear();
        processes.started.clear();
        menus.popped.clear();
        shell.opened.clear();
        shell.folders.clear();
        forms.steps.clear();
        idle.calls.clear();
        surface.resizes.clear();
    }

    // The fakes as the window's ports, with these controls and surface.
    MainWindowPorts PortsWith(WindowScreen& windowControls, WindowSurface& windowSurface) {
        return {host,  PaneSetOf(panes), timers, player, fetch, tray,         windowControls,
                dialogs, processes, menus, shell, forms, settingsView, windowSurface, idle};
    }
};

}  // namespace ruvo::test
