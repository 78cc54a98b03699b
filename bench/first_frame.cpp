// Click to picture, as a person sees it: from the release of the button on
// an episode link in the portal pane to that episode's first picture in the
// player area on the screen (ffmpeg x11grab of the area, 50 frames a
// second), against libmpv alone showing its first picture in its own window
// of the same size from its loadfile. The first click of each program run and
// the later ones (each while the one before plays) are reported apart, with
// the event loop's longest pause around the first click.
// Prints the table's rows.
#include <mpv/client.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ScreenCapture.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
using ruvo::bench::Median;
using ruvo::bench::MonotonicMs;
using ruvo::bench::ScreenArea;
using ruvo::bench::ScreenCapture;
using ruvo::bench::ScreenFrame;

constexpr int kRuns = 3;
// A picture shows once most of the area is the sample's colours.
constexpr double kPictureShare = 0.5;

bool IsPicture(const ScreenFrame& frame) { return frame.colourfulShare >= kPictureShare; }

// loadfile to the first picture on the screen, in ms, for libmpv alone in a
// window of `area`'s size at its place.
double MpvAlone(const std::string& url, const ScreenArea& area) {
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* mpv = mpv_create();
    const std::string geometry = std::to_string(area.width) + "x" + std::to_string(area.height) + "+" +
                                 std::to_string(area.left) + "+" + std::to_string(area.top);
    for (const auto& [name, value] :
         {std::pair<const char*, const char*>{"config", "no"}, {"vo", "gpu,x11"}, {"gpu-sw", "yes"}, {"ao", "null"},
          {"ytdl", "no"}, {"terminal", "no"}, {"keep-open", "yes"}, {"force-window", "yes"}, {"border", "no"},
          {"geometry", geometry.c_str()}, {"background", "color"}})
        mpv_set_option_string(mpv, name, value);
    mpv_initialize(mpv);
    std::this_thread::sleep_for(700ms);  // its window is up and black
    double elapsed = -1;
    {
        ScreenCapture screen(area);
        if (screen.WaitPast(MonotonicMs())) {
            const long long start = MonotonicMs();
            const char* command[] = {"loadfile", url.c_str(), nullptr};
            mpv_command(mpv, command);
            long long shown = -1;
            for (int i = 0; i < 500 && shown < 0; ++i) {
                std::this_thread::sleep_for(10ms);
                shown = screen.FirstAfter(start, IsPicture);
            }
            if (shown >= 0) elapsed = static_cast<double>(shown - start);
        }
    }
    mpv_terminate_destroy(mpv);
    return elapsed;
}

long long LastTraced(const std::string& tracePath, const std::string& ending) {
    const auto times = ruvo::bench::TracedTimes(tracePath, ending);
    return times.empty() ? -1 : times.back();
}

// The "stall N" reports: when, and the longest pause of the second before, in ms.
std::vector<std::pair<long long, long long>> Stalls(const std::string& tracePath) {
    std::vector<std::pair<long long, long long>> stalls;
    std::ifstream in(tracePath);
    for (std::string line; std::getline(in, line);) {
        const size_t word = line.find(" stall ");
        if (word != std::string::npos) stalls.emplace_back(std::atoll(line.c_str()), std::atoll(line.c_str() + word + 7));
    }
    return stalls;
}

struct ProgramRun {
    double first = -1;
    std::vector<double> later;
    long long longestStallMs = 0;  // from the first release to a second after its picture
    ScreenArea area;
};

// Where the player area is on the screen.
std::optional<ScreenArea> PlayerArea(ruvo::test::ProgramUnderTest& program) {
    const auto window = program.WindowGeometry();
    const auto place = program.TracedPlace("video");
    if (!window || !place || (*place)[2] < 100) return std::nullopt;
    return ScreenArea{(*window)[0] + (*place)[0], (*window)[1] + (*place)[1], (*place)[2], (*place)[3]};
}

std::optional<ProgramRun> RunProgram(const std::vector<std::string>& episodes, std::optional<ScreenFrame>& firstSecond) {
    ruvo::test::ProgramUnderTest program;
    program.Start();
    auto home = program.WaitForHomePage();
    if (!home) return std::nullopt;
    const std::string trace = program.Home().File("trace.log");
    // A user reads the page a few seconds before the first click; the player is made meanwhile.
    program.WaitFor([&] { return LastTraced(trace, " player made") >= 0; }, 15s);
    program.WaitFor([&] { return PlayerArea(program).has_value(); }, 10s);
    std::this_thread::sleep_for(3s);
    const auto area = PlayerArea(program);
    if (!area) return std::nullopt;
    ScreenCapture screen(*area, ruvo::bench::SampleSecondsBox(*area));
    if (!screen.WaitPast(MonotonicMs())) return std::nullopt;
    ProgramRun run;
    run.area = *area;
    long long firstReleased = -1, firstShown = -1;
    for (const auto& e : episodes) {
        std::chrono::steady_clock::time_point released;
        program.Pages().ClickLink(*home, "a[href^='eebovod://" + e + "-']", &released);
        const long long at = std::chrono::duration_cast<std::chrono::milliseconds>(released.time_since_epoch()).count();
        const bool first = firstReleased < 0;
        long long shown = -1;
        program.WaitFor([&] { return (shown = screen.FirstSecondAfter(at, firstSecond)) >= 0; }, 15s);
        if (std::getenv("RUVO_BENCH_DETAIL") && firstSecond)
            for (const ScreenFrame& f : screen.Frames())
                if (f.atMs >= at - 200 && f.atMs <= at + 300)
                    std::fprintf(stderr, "%s %+lld share %.2f second-diff %.1f\n", e.c_str(), f.atMs - at,
                                 f.colourfulShare, ruvo::bench::DetailDifference(f, *firstSecond));
        if (shown < 0) {
            std::fprintf(stderr, "episode %s: no picture on the screen\n", e.c_str());
            return std::nullopt;
        }
        if (first) {
            firstReleased = at;
            firstShown = shown;
            run.first = static_cast<double>(shown - at);
            std::this_thread::sleep_for(1500ms);  // past the next stall report
        } else {
            run.later.push_back(static_cast<double>(shown - at));
        }
        std::this_thread::sleep_for(1500ms);  // it plays a while before the next click
    }
    for (const auto& [at, ms] : Stalls(trace))
        if (at >= firstReleased && at <= firstShown + 1000) run.longestStallMs = std::max(run.longestStallMs, ms);
    return run;
}

}  // namespace

int main() {
    const std::vector<std::string> episodes{"12-0-0", "15-0-0", "18-0-0", "27-0-0", "31-0-0", "12-0-1", "15-0-1"};
    std::optional<ScreenFrame> firstSecond;  // an episode's first picture, as the first click shows it
    std::vector<double> later, firsts, stalls;
    ScreenArea area;
    for (int i = 0; i < kRuns; ++i) {
        const auto run = RunProgram(episodes, firstSecond);
        if (!run) continue;
        std::fprintf(stderr, "run %d: first click %.0f ms, later clicks", i + 1, run->first);
        for (const double ms : run->later) std::fprintf(stderr, " %.0f", ms);
        std::fprintf(stderr, " ms\n");
        later.insert(later.end(), run->later.begin(), run->later.end());
        firsts.push_back(run->first);
        stalls.push_back(static_cast<double>(run->longestStallMs));
        area = run->area;
    }
    if (firsts.empty() || later.empty()) return 1;

    ruvo::test::ProgramUnderTest portal;  // for its portal's address
    const std::string host = portal.PortalBase().substr(0, portal.PortalBase().size() - 5);  // "http://127.0.0.1:N"
    std::vector<double> alone;
    for (const auto& e : episodes) {
        const std::string file = "t" + e.substr(0, 2) + "-s0-e" + std::to_string(std::stoi(e.substr(5)) + 1) + ".mp4";
        const double ms = MpvAlone(host + "/media/" + file, area);
        if (ms > 0) alone.push_back(ms);
    }
    if (alone.empty()) return 1;
    const double reference = Median(alone), laterMs = Median(later), firstMs = Median(firsts);
    const double limit = reference * 1.2 + 50;
    std::printf("| click on an episode link to its picture on the screen, later clicks (each while the one before "
                "plays; x11grab of the player area at 50 frames a second, from the button's release; median of %zu "
                "clicks in %zu runs) | %.0f ms | libmpv alone, loadfile to its picture on the screen in a window of "
                "that size: %.0f ms | %.2f x | <= 1.2 x + 50 ms = %.0f ms: %s |\n",
                later.size(), firsts.size(), laterMs, reference, laterMs / reference, limit,
                laterMs <= limit ? "met" : "missed");
    std::printf("| the same, first click of a run (median of %zu runs) | %.0f ms | the same | %.2f x | <= %.0f ms: %s |\n",
                firsts.size(), firstMs, firstMs / reference, limit, firstMs <= limit ? "met" : "missed");
    const double longest = *std::max_element(stalls.begin(), stalls.end());
    std::printf("| longest event-loop pause from the first click to a second after its picture, all runs | %.0f ms | | "
                "| <= 30 ms: %s |\n",
                longest, longest <= 30 ? "met" : "missed");
    return 0;
}
