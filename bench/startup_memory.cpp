// Memory against the smallest Qt WebEngine program showing the same portal
// home page in one view (bench_minimal_webengine): the whole process tree
// (with the engine's helpers) 10 s after the page showed, all panes loaded,
// as PSS, as each physical page once and as private dirty memory (median of 5).
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "StartupRuns.h"

namespace {

using namespace std::chrono_literals;
constexpr int kStarts = 5;
constexpr auto kSettle = 10s;

struct Run {
    bool shown = false;
    ruvo::bench::TreeMemory memory;
};

// A daily start: the program folder exists from an earlier run.
Run Program() {
    ruvo::test::ProgramUnderTest program;
    program.StartAsUser();
    ruvo::bench::HomePageShownAt(program);
    program.Stop();
    program.StartAsUser();
    Run run;
    run.shown = ruvo::bench::HomePageShownAt(program) >= 0;
    std::this_thread::sleep_for(kSettle);
    run.memory = ruvo::bench::TreePss(program.Pid());
    return run;
}

Run Reference() {
    ruvo::test::ProgramUnderTest portalOnly;  // the same portal, started just for it
    auto started = ruvo::bench::StartReference(portalOnly.PortalBase(), portalOnly.Home().File("shown.txt"));
    Run run;
    run.shown = started.startMs >= 0;
    std::this_thread::sleep_for(kSettle);
    run.memory = ruvo::bench::TreePss(started.pid);
    ruvo::bench::EndReference(started);
    return run;
}

double MedianMb(const std::vector<Run>& runs, long long ruvo::bench::TreeMemory::*field) {
    std::vector<double> values;
    for (const Run& run : runs) values.push_back(static_cast<double>(run.memory.*field) / 1024);
    return ruvo::bench::Median(values);
}

}  // namespace

int main() {
    std::vector<Run> programs, references;
    for (int i = 0; i < kStarts; ++i) {
        const Run reference = Reference();
        const Run program = Program();
        if (!program.shown || !reference.shown) continue;
        programs.push_back(program);
        references.push_back(reference);
    }
    if (programs.empty()) return 1;
    using Memory = ruvo::bench::TreeMemory;
    const double pss = MedianMb(programs, &Memory::pssKb), pssRef = MedianMb(references, &Memory::pssKb);
    const double alone = MedianMb(programs, &Memory::asIfAloneKb), aloneRef = MedianMb(references, &Memory::asIfAloneKb);
    const double dirty = MedianMb(programs, &Memory::privateDirtyKb);
    const double dirtyRef = MedianMb(references, &Memory::privateDirtyKb);
    std::printf("| memory, whole process tree, panes loaded (PSS) | %.0f MB in %d processes | one view: %.0f MB in %d "
                "processes | %.2f x | <= 1.25 x |\n",
                pss, programs.back().memory.processes, pssRef, references.back().memory.processes,
                pssRef > 0 ? pss / pssRef : 0.0);
    // Shown, not judged: it counts the clean file pages the system keeps
    // cached whether or not the program maps them.
    std::printf("| the same, each physical page once (as if alone on the machine) | %.0f MB | one view: %.0f MB | %.2f x | "
                "none: PSS and private dirty memory are the targets |\n",
                alone, aloneRef, aloneRef > 0 ? alone / aloneRef : 0.0);
    std::printf("| the same, private dirty memory | %.0f MB | one view: %.0f MB | %.2f x | <= 1.25 x |\n", dirty, dirtyRef,
                dirtyRef > 0 ? dirty / dirtyRef : 0.0);
    return 0;
}
