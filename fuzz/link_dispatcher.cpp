// Any address a page navigates to, in every pane of the main window (on
// fakes): the dispatcher's link grammars never crash.
#include <memory>

#include "FuzzSupport.h"
#include "app/Startup.h"
#include "fakes/FakeWindowPorts.h"

namespace {

struct Window {
    ruvo::test::FakeWindowPorts fakes;
    std::unique_ptr<ruvo::MainWindow> window;
    Window() {
        ruvo::test::FakePlayerProbe probe;
        ruvo::test::FakeShell shell;
        ruvo::test::FakeAdapters adapters;
        ruvo::test::FakeClock clock;
        const auto portal = ruvo::PortalFrom("http://127.0.0.1:8790/box/");
        ruvo::StartupPorts ports{probe, fakes.dialogs, shell, adapters, clock};
        ruvo::RunStartup(ruvo::fuzz::ScratchFolder(), portal, ports);
        fakes.surface.controls = &fakes.controls;
        window = std::make_unique<ruvo::MainWindow>(fakes.PortsWith(fakes.controls, fakes.surface),
                                                    ruvo::fuzz::ScratchFolder(), portal);
        window->Load("");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The fakes record every call they get; a fresh window now and then keeps
    // millions of runs from filling the memory with those records.
    static std::unique_ptr<Window> w;
    static size_t runs = 0;
    if (runs++ % 20000 == 0) w = std::make_unique<Window>();
    const std::string url(ruvo::fuzz::TextOf(data, size));
    for (auto& pane : w->fakes.panes) {
        if (!pane.events.beforeNavigate) continue;
        bool cancel = false;
        pane.events.beforeNavigate(url, cancel);
        if (pane.events.linkOpensOutside) pane.events.linkOpensOutside(url);
        pane.navigations.clear();
    }
    return 0;
}
