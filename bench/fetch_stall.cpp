// The event loop while the portal takes 5 s to answer an episode request
// (h.asp): the longest pause of the window's event loop in that time, against
// the longest pause over the same time with nothing to wait for. The program
// reports its longest pause once a second in its trace ("stall N").
// Target: under 50 ms.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

#include "demo/Faults.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;

// The longest "stall" reported in trace lines [from, to).
long long LongestStall(const std::vector<std::string>& trace, size_t from, size_t to) {
    long long longest = 0;
    for (size_t i = from; i < std::min(to, trace.size()); ++i)
        if (trace[i].rfind("stall ", 0) == 0) longest = std::max(longest, std::atoll(trace[i].c_str() + 6));
    return longest;
}

}  // namespace

int main() {
    ruvo::test::ProgramUnderTest program;
    program.Start();
    const auto home = program.WaitForHomePage();
    if (!home) return 1;
    std::this_thread::sleep_for(3s);  // the other panes settle
    size_t from = program.Trace().size();
    std::this_thread::sleep_for(6s);
    const long long idle = LongestStall(program.Trace(), from, SIZE_MAX);

    program.Portal().FaultSwitches().Set("h.asp", *demo::ParseFault("slow:5000"));
    from = program.Trace().size();
    program.Pages().ClickLink(*home, "a[href^='eebovod://18-0-0-']");
    program.WaitForTrace("player started", 30s);
    const size_t to = program.Trace().size();
    std::this_thread::sleep_for(1500ms);  // the report of the last second
    const long long waiting = LongestStall(program.Trace(), from, to + 2);
    std::printf("| longest event-loop pause while h.asp takes 5 s | %lld ms | idle: %lld ms | %.2fx | < 50 ms |\n", waiting,
                idle, idle > 0 ? static_cast<double>(waiting) / static_cast<double>(idle) : 0.0);
    return 0;
}
