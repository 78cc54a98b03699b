// Soak: plays the demo portal's short series back to back through the
// next-episode logic for a while (default 60 minutes; the argument gives
// minutes) and reports crashes, the process tree's memory from the first
// to the last round, and the program's open files.
// Run: xvfb-run -a build/bench/bench_soak 60
#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Series {
    const char* link;  // the first episode's link
    int episodes;
};
// Short series of the demo portal: 5 s, 5 s and 10 s episodes.
constexpr Series kSeries[] = {{"eebovod://15-0-0-", 3}, {"eebovod://27-0-0-", 3}, {"eebovod://31-0-0-", 3}};

int OpenFiles(pid_t pid) {
    int count = 0;
    if (DIR* fds = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str())) {
        while (readdir(fds)) ++count;
        closedir(fds);
    }
    return count - 2;  // "." and ".."
}

size_t Started(ruvo::test::ProgramUnderTest& program) {
    size_t count = 0;
    for (const auto& line : program.Trace()) count += line == "player started";
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const auto end = Clock::now() + std::chrono::minutes(minutes);
    ruvo::test::ProgramUnderTest program;
    program.Start();
    auto home = program.WaitForHomePage();
    if (!home) return 1;
    int crashes = 0, rounds = 0, episodes = 0;
    ruvo::bench::TreeMemory first{}, last{};
    int firstFiles = 0, lastFiles = 0;
    while (Clock::now() < end) {
        for (const Series& series : kSeries) {
            const size_t before = Started(program);
            program.Pages().ClickLink(*home, std::string("a[href^='") + series.link + "']");
            program.WaitFor([&] { return Started(program) >= before + series.episodes || !program.Running(); }, 90s);
            episodes += static_cast<int>(Started(program) - before);
            if (!program.Running()) {
                ++crashes;
                program.Start();
                home = program.WaitForHomePage();
                if (!home) return 1;
            }
            std::this_thread::sleep_for(12s);  // the series' last episode plays to its end
        }
        ++rounds;
        last = ruvo::bench::TreePss(program.Pid());
        lastFiles = OpenFiles(program.Pid());
        if (rounds == 1) {
            first = last;
            firstFiles = lastFiles;
        }
        std::fprintf(stderr, "round %d: %d episodes, %lld MB (private %lld MB), %d open files\n", rounds, episodes,
                     last.pssKb / 1024, last.privateKb / 1024, lastFiles);
    }
    const auto growth = [](long long from, long long to) {
        return from > 0 ? 100.0 * static_cast<double>(to - from) / static_cast<double>(from) : 0.0;
    };
    std::printf("| soak, %d min: %d rounds, %d episodes | %d crashes | memory %lld -> %lld MB (%+.1f %%), private %lld -> %lld MB "
                "(%+.1f %%) | open files %d -> %d |\n",
                minutes, rounds, episodes, crashes, first.pssKb / 1024, last.pssKb / 1024, growth(first.pssKb, last.pssKb),
                first.privateKb / 1024, last.privateKb / 1024, growth(first.privateKb, last.privateKb), firstFiles, lastFiles);
    return crashes == 0 ? 0 : 1;
}
