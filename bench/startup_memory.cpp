// Start-up and memory against the smallest Qt WebEngine program showing the
// same portal home page in one view (bench_minimal_webengine):
// - start-up: process start to the home page shown in Web1 (median of 5),
//   target at most 1.3 x;
// - memory: PSS of the whole process tree (with the engine's helpers) 10 s
//   after the page showed, all nine panes loaded, target at most 1.25 x.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "e2e/ProgramUnderTest.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
constexpr int kStarts = 5;
constexpr auto kSettle = 10s;

struct Run {
    double startMs = -1;
    long long pssKb = 0, aloneKb = 0, dirtyKb = 0;
    int processes = 0;
};

long long ShownAt(ruvo::test::ProgramUnderTest& program) {
    for (int i = 0; i < 600; ++i) {
        std::ifstream trace(program.Home().File("trace.log"));
        for (std::string line; std::getline(trace, line);)
            if (line.ends_with(" shown Web1")) return std::atoll(line.c_str());
        std::this_thread::sleep_for(20ms);
    }
    return -1;
}

// A daily start: the program folder exists from an earlier run (the first
// run, which writes the settings and lists, is measured on its own).
Run Program(bool firstRun) {
    ruvo::test::ProgramUnderTest program;
    if (!firstRun) {
        program.StartAsUser();
        ShownAt(program);
        program.Stop();
        std::remove(program.Home().File("trace.log").c_str());
    }
    const long long start = ruvo::bench::MonotonicMs();
    program.StartAsUser();
    const long long shown = ShownAt(program);
    Run run;
    run.startMs = shown < 0 ? -1 : static_cast<double>(shown - start);
    std::this_thread::sleep_for(kSettle);
    const auto memory = ruvo::bench::TreePss(program.Pid());
    run.pssKb = memory.pssKb;
    run.aloneKb = memory.asIfAloneKb;
    run.dirtyKb = memory.privateDirtyKb;
    run.processes = memory.processes;
    return run;
}

Run Minimal(const std::string& url, const std::string& timeFile) {
    std::remove(timeFile.c_str());
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) env.emplace_back(*entry);
    if (geteuid() == 0) env.emplace_back("QTWEBENGINE_DISABLE_SANDBOX=1");
    if (!std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) env.emplace_back("QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = RUVO_MINIMAL_WEBENGINE;
    char* argv[] = {path.data(), const_cast<char*>(url.c_str()), const_cast<char*>(timeFile.c_str()), nullptr};
    const long long start = ruvo::bench::MonotonicMs();
    pid_t pid = -1;
    Run run;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return run;
    for (int i = 0; i < 1500 && run.startMs < 0; ++i) {
        std::ifstream in(timeFile);
        long long shown = 0;
        if (in >> shown) run.startMs = static_cast<double>(shown - start);
        else std::this_thread::sleep_for(20ms);
    }
    std::this_thread::sleep_for(kSettle);
    const auto memory = ruvo::bench::TreePss(pid);
    run.pssKb = memory.pssKb;
    run.aloneKb = memory.asIfAloneKb;
    run.dirtyKb = memory.privateDirtyKb;
    run.processes = memory.processes;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return run;
}

}  // namespace

int main() {
    std::vector<double> programStarts, firstRunStarts, minimalStarts, programPss, minimalPss, programAlone, minimalAlone,
        programDirty, minimalDirty;
    int programProcesses = 0, minimalProcesses = 0;
    for (int i = 0; i < kStarts; ++i) {
        // The same portal for the reference: one started just for it.
        ruvo::test::ProgramUnderTest portalOnly;
        const Run reference = Minimal(portalOnly.PortalBase(), portalOnly.Home().File("shown.txt"));
        const Run program = Program(false);
        const Run firstRun = Program(true);
        if (firstRun.startMs >= 0) firstRunStarts.push_back(firstRun.startMs);
        if (program.startMs < 0 || reference.startMs < 0) continue;
        programStarts.push_back(program.startMs);
        minimalStarts.push_back(reference.startMs);
        programPss.push_back(static_cast<double>(program.pssKb));
        minimalPss.push_back(static_cast<double>(reference.pssKb));
        programAlone.push_back(static_cast<double>(program.aloneKb));
        minimalAlone.push_back(static_cast<double>(reference.aloneKb));
        programDirty.push_back(static_cast<double>(program.dirtyKb));
        minimalDirty.push_back(static_cast<double>(reference.dirtyKb));
        programProcesses = program.processes;
        minimalProcesses = reference.processes;
    }
    const double start = ruvo::bench::Median(programStarts), startRef = ruvo::bench::Median(minimalStarts);
    const double pss = ruvo::bench::Median(programPss) / 1024, pssRef = ruvo::bench::Median(minimalPss) / 1024;
    std::printf("| start-up to the home page shown (median of %zu) | %.0f ms | minimal WebEngine program: %.0f ms | %.2fx | <= 1.3x |\n",
                programStarts.size(), start, startRef, startRef > 0 ? start / startRef : 0.0);
    std::printf("| the same at the first run (settings and lists written) | %.0f ms | %.0f ms | %.2fx | |\n",
                ruvo::bench::Median(firstRunStarts), startRef,
                startRef > 0 ? ruvo::bench::Median(firstRunStarts) / startRef : 0.0);
    std::printf("| memory, whole process tree, nine panes loaded | %.0f MB in %d processes | one view: %.0f MB in %d processes | %.2fx | <= 1.25x |\n",
                pss, programProcesses, pssRef, minimalProcesses, pssRef > 0 ? pss / pssRef : 0.0);
    const double alone = ruvo::bench::Median(programAlone) / 1024, aloneRef = ruvo::bench::Median(minimalAlone) / 1024;
    const double dirty = ruvo::bench::Median(programDirty) / 1024, dirtyRef = ruvo::bench::Median(minimalDirty) / 1024;
    std::printf("| the same, each physical page once (as if alone on the machine) | %.0f MB | one view: %.0f MB | %.2fx | <= 1.10x |\n",
                alone, aloneRef, aloneRef > 0 ? alone / aloneRef : 0.0);
    std::printf("| the same, private dirty memory | %.0f MB | one view: %.0f MB | %.2fx | <= 1.25x |\n", dirty, dirtyRef,
                dirtyRef > 0 ? dirty / dirtyRef : 0.0);
    return 0;
}
