// Any address a page navigates to, in every pane of the main window (on
// fakes): the dispatcher's link grammars never crash.
#include <memory>

#include "FuzzSupport.h"
#include "app/Startup.h"
#include "fakes/FakeWindowPorts.h"
#include "history/HistoryRecords.h"

namespace {

struct Window {
    ruvo::test::FakeWindowPorts fakes;
    std::unique_ptr<ruvo::SettingsFile> settings;
    std::unique_ptr<ruvo::MainWindow> window;
    Window() {
        ruvo::test::FakePlayerProbe probe;
        ruvo::test::FakeShell shell;
        ruvo::test::FakeAdapters adapters;
        ruvo::test::FakeClock clock;
        const auto portal = ruvo::PortalFrom("http://127.0.0.1:8790/box/");
        ruvo::StartupPorts ports{probe, fakes.dialogs, shell, adapters, clock};
        settings = std::make_unique<ruvo::SettingsFile>(ruvo::JoinPath(ruvo::fuzz::ScratchFolder(), "config.dll"));
        ruvo::RunStartup(ruvo::fuzz::ScratchFolder(), *settings, portal, ports);
        fakes.surface.controls = &fakes.controls;
        window = std::make_unique<ruvo::MainWindow>(fakes.PortsWith(fakes.controls, fakes.surface), *settings,
                                                    ruvo::fuzz::ScratchFolder(), portal);
        window->Load("");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A fresh window now and then drops what the window gathers over runs;
    // the calls the fakes record are forgotten after every link.
    static std::unique_ptr<Window> w;
    static size_t runs = 0;
    if (runs++ % 20000 == 0) w = std::make_unique<Window>();
    // Each link starts from empty lists: a list grown to its 101 records of
    // fuzzed titles made every run rewrite 100 KB, and the list files have
    // a target of their own.
    ruvo::fuzz::WriteScratchFile(ruvo::kWatchListFile, "\r\n");
    ruvo::fuzz::WriteScratchFile(ruvo::kLocalListFile, "\r\n");
    const std::string url(ruvo::fuzz::TextOf(data, size));
    for (auto& pane : w->fakes.panes) {
        if (!pane.events.beforeNavigate) continue;
        bool cancel = false;
        pane.events.beforeNavigate(url, cancel);
        if (pane.events.linkOpensOutside) pane.events.linkOpensOutside(url, true);
    }
    w->fakes.ForgetCalls();
    return 0;
}
