// The gap between the last frame of an episode and the first frame of the
// next one, preloaded and started by the program itself. The reference is
// the end-of-play timer's 2 seconds; the target is at most 300 ms more.
#include <cstdio>

#include "BenchSupport.h"
#include "e2e/ProgramUnderTest.h"

int main() {
    using namespace std::chrono_literals;
    ruvo::test::ProgramUnderTest program;
    program.Start();
    auto home = program.WaitForHomePage();
    if (!home) return 1;
    program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-0-']");  // three 5 s episodes
    const std::string trace = program.Home().File("trace.log");
    program.WaitFor([&] { return ruvo::bench::PlayerEvents(trace, "started").size() >= 3; }, 60s);
    const auto ended = ruvo::bench::PlayerEvents(trace, "ended");
    const auto started = ruvo::bench::PlayerEvents(trace, "started");
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < started.size() && i < ended.size(); ++i)
        gaps.push_back(static_cast<double>(started[i + 1] - ended[i]));
    const double gap = ruvo::bench::Median(gaps);
    std::printf("| next-episode gap (last frame to first frame) | %.0f ms | end timer 2000 ms | %.2f x | <= 2300 ms: %s |\n",
                gap, gap / 2000.0, !gaps.empty() && gap <= 2300 ? "met" : "missed");
    return gaps.empty() ? 1 : 0;
}
