// The window while the portal takes 59 s to answer an episode request
// (h.asp), as a person uses it meanwhile: the event loop's longest pause
// (the program reports its longest pause once a second in its trace,
// "stall N") against the same time with nothing to wait for, and a click on
// the bar's mute button to its new look on the screen (ffmpeg x11grab of the
// button) against the same click with nothing waited for. Then, once the
// episode plays, the longest pause while it plays.
// Targets: pauses under 50 ms (40 ms while playing), a click acts within 100 ms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "BenchSupport.h"
#include "ScreenCapture.h"
#include "demo/Faults.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
using ruvo::bench::MonotonicMs;
using ruvo::bench::ScreenCapture;
using ruvo::bench::ScreenFrame;

constexpr double kNewLook = 2;  // two grabs of one look do not differ; the two looks by 4-8

// The longest "stall" reported in trace lines [from, to).
long long LongestStall(const std::vector<std::string>& trace, size_t from, size_t to) {
    long long longest = 0;
    for (size_t i = from; i < std::min(to, trace.size()); ++i)
        if (trace[i].rfind("stall ", 0) == 0) longest = std::max(longest, std::atoll(trace[i].c_str() + 6));
    return longest;
}

// Clicks the button under the pointer: ms from the click to its new look on the screen, or -1.
double ClickToNewLook(ruvo::test::ProgramUnderTest& program, const ScreenCapture& button) {
    std::this_thread::sleep_for(600ms);  // the look under the pointer has settled
    const auto frames = button.Frames();
    if (frames.empty()) return -1;
    const ScreenFrame before = frames.back();
    const long long clicked = MonotonicMs();
    program.PointerActions("click 1");
    long long changed = -1;
    program.WaitFor([&] {
        changed = button.FirstAfter(clicked, [&](const ScreenFrame& f) {
            return ruvo::bench::ThumbnailDifference(f, before) > kNewLook;
        });
        return changed >= 0;
    }, 5s);
    if (std::getenv("RUVO_BENCH_DETAIL"))
        for (const ScreenFrame& f : button.Frames())
            if (f.atMs > clicked - 100 && f.atMs < clicked + 400)
                std::fprintf(stderr, "%+lld diff %.1f\n", f.atMs - clicked, ruvo::bench::ThumbnailDifference(f, before));
    return changed < 0 ? -1 : static_cast<double>(changed - clicked);
}

std::vector<double> Clicks(ruvo::test::ProgramUnderTest& program, const ScreenCapture& button, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double ms = ClickToNewLook(program, button);
        if (ms >= 0) times.push_back(ms);
        std::this_thread::sleep_for(2s);
    }
    return times;
}

}  // namespace

int main() {
    ruvo::test::ProgramUnderTest program;
    program.Start();
    const auto home = program.WaitForHomePage();
    if (!home) return 1;
    const auto window = program.WindowGeometry();
    const auto mute = program.TracedPlace("bo_but2");
    if (!window || !mute) return 1;
    std::this_thread::sleep_for(3s);  // the other panes settle
    const int x = (*window)[0] + (*mute)[0], y = (*window)[1] + (*mute)[1];
    ScreenCapture button({x, y, (*mute)[2], (*mute)[3]});
    if (!button.WaitPast(MonotonicMs())) return 1;
    program.PointerActions("mousemove " + std::to_string(x + (*mute)[2] / 2) + " " + std::to_string(y + (*mute)[3] / 2));

    size_t from = program.Trace().size();
    const std::vector<double> idleClicks = Clicks(program, button, 4);
    std::this_thread::sleep_for(1s);
    const long long idle = LongestStall(program.Trace(), from, SIZE_MAX);

    program.Portal().FaultSwitches().Set("h.asp", *demo::ParseFault("slow:59000"));
    from = program.Trace().size();
    const long long asked = MonotonicMs();
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    const std::vector<double> waitingClicks = Clicks(program, button, 8);
    const bool said = program.WaitForTrace("text zhun=正在搜索资源，请稍后", 1s);
    program.WaitForTrace("player started", 70s);
    const long long answered = MonotonicMs();
    const size_t to = program.Trace().size();
    std::this_thread::sleep_for(1500ms);  // the report of the last second
    const long long waiting = LongestStall(program.Trace(), from, to + 2);
    from = program.Trace().size();
    std::this_thread::sleep_for(4s);
    const long long playing = LongestStall(program.Trace(), from, SIZE_MAX);

    if (idleClicks.empty() || waitingClicks.size() < 8 || answered - asked < 55000) {
        std::fprintf(stderr, "clicks %zu/%zu, answered after %lld ms\n", idleClicks.size(), waitingClicks.size(),
                     answered - asked);
        return 1;
    }
    const double idleClick = ruvo::bench::Median(idleClicks);
    const double slowest = *std::max_element(waitingClicks.begin(), waitingClicks.end());
    std::printf("| longest event-loop pause while h.asp takes 59 s (the program gives up at 60 s), with clicks on the bar meanwhile (status line: %s) | "
                "%lld ms | idle: %lld ms | %.2f x | < 50 ms: %s |\n",
                said ? "\"正在搜索资源，请稍后\"" : "not said", waiting, idle,
                idle > 0 ? static_cast<double>(waiting) / static_cast<double>(idle) : 0.0, waiting < 50 ? "met" : "missed");
    std::printf("| a click on the bar's mute button to its new look on the screen while that look-up waits (x11grab "
                "of the button; the slowest of 8) | %.0f ms | the same click with nothing waited for: %.0f ms (median "
                "of %zu) | %.2f x | <= 100 ms: %s |\n",
                slowest, idleClick, idleClicks.size(), idleClick > 0 ? slowest / idleClick : 0.0,
                slowest <= 100 ? "met" : "missed");
    std::printf("| longest event-loop pause while an episode plays (4 s) | %lld ms | idle: %lld ms | %.2f x | < 40 ms: %s |\n",
                playing, idle, idle > 0 ? static_cast<double>(playing) / static_cast<double>(idle) : 0.0,
                playing < 40 ? "met" : "missed");
    return 0;
}
