#pragma once
// Small helpers the benchmarks share: clocks, medians, the program's trace
// and the CPU time of a process tree.
#include <sys/types.h>

#include <string>
#include <vector>

#include "ScreenCapture.h"  // MonotonicMs

namespace ruvo::bench {

double Median(std::vector<double> values);
// Times of the trace lines ending with `ending` (after their time), in order.
std::vector<long long> TracedTimes(const std::string& tracePath, const std::string& ending);
// Times of the trace lines "player <event>", in order.
std::vector<long long> PlayerEvents(const std::string& tracePath, const std::string& event);
// CPU seconds (user + system) used so far by the process and all its descendants.
double TreeCpuSeconds(pid_t root);

struct TreeMemory {
    long long pssKb = 0;  // proportional set size: shared pages split between their users
    // Pages no other process maps: unlike PSS, it does not move when another
    // program using the same libraries starts or ends, so growth shows true.
    long long privateKb = 0;
    long long privateDirtyKb = 0;  // written pages no other process maps
    // Every physical page the tree maps, counted once however many of its
    // processes map it, as if nothing else ran: a measure that other
    // programs sharing the same libraries do not move (needs root to read
    // page frame numbers; 0 without).
    long long asIfAloneKb = 0;
    int processes = 0;
};
// Memory of the process and all its descendants now.
TreeMemory TreePss(pid_t root);

}  // namespace ruvo::bench
