// Memory over 100 back-to-back episodes: the demo portal's series of a
// hundred 2-second episodes, played through by the next-episode logic. The
// process tree's memory after episode 100 against after episode 10 (once
// the player, its caches and the panes have settled); target growth < 5 %
// in PSS, < 2 % counting each physical page once and in private dirty memory.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "BenchSupport.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
constexpr int kEpisodes = 100;  // the argument can ask for fewer, for a quicker look
constexpr int kSettledAt = 10;

size_t Started(ruvo::test::ProgramUnderTest& program) {
    size_t count = 0;
    for (const auto& line : program.Trace()) count += line == "player started";
    return count;
}

// The tree's memory once episode `n` has started and played a second.
ruvo::bench::TreeMemory MemoryAtEpisode(ruvo::test::ProgramUnderTest& program, size_t n) {
    program.WaitFor([&] { return Started(program) >= n || !program.Running(); }, std::chrono::seconds(10 * n));
    std::this_thread::sleep_for(1s);
    if (const char* probe = std::getenv("RUVO_BENCH_PROBE")) std::system((std::string(probe) + " " + std::to_string(program.Pid())).c_str());
    return ruvo::bench::TreePss(program.Pid());
}

}  // namespace

int main(int argc, char** argv) {
    const int episodes = argc > 1 ? std::clamp(std::atoi(argv[1]), kSettledAt + 1, kEpisodes) : kEpisodes;
    ruvo::test::ProgramUnderTest program;
    program.Start();
    const auto home = program.WaitForHomePage();
    if (!home) return 1;
    program.Pages().ClickLink(*home, "a[href^='eebovod://35-0-0-']");
    const auto settled = MemoryAtEpisode(program, kSettledAt);
    const auto last = MemoryAtEpisode(program, episodes);
    const size_t played = Started(program);
    if (!program.Running() || played < static_cast<size_t>(episodes) || settled.pssKb == 0) {
        std::printf("| memory over %d episodes | failed: %zu played, running %d | | | |\n", episodes, played,
                    program.Running());
        return 1;
    }
    const auto growth = [](long long before, long long after) {
        return 100.0 * static_cast<double>(after - before) / static_cast<double>(std::max(1LL, before));
    };
    std::printf("| memory growth over back-to-back episodes | episode %d: %lld MB | episode %d: %lld MB | %+.1f %% (private "
                "memory %+.1f %%) | < 5 %% |\n",
                episodes, last.pssKb / 1024, kSettledAt, settled.pssKb / 1024, growth(settled.pssKb, last.pssKb),
                growth(settled.privateKb, last.privateKb));
    std::printf("| the same, each physical page once and private dirty | %lld MB, %lld MB | %lld MB, %lld MB | %+.1f %%, "
                "%+.1f %% | < 2 %% |\n",
                last.asIfAloneKb / 1024, last.privateDirtyKb / 1024, settled.asIfAloneKb / 1024,
                settled.privateDirtyKb / 1024, growth(settled.asIfAloneKb, last.asIfAloneKb),
                growth(settled.privateDirtyKb, last.privateDirtyKb));
    return 0;
}
