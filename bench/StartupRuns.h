#pragma once
// Starting the program and the one-view reference and timing them to the
// home page shown, for the start-up and memory benchmarks.
#include <sys/types.h>

#include <string>

#include "e2e/ProgramUnderTest.h"

namespace ruvo::bench {

// The trace time of "shown Web1", waiting up to 12 s; -1 when it never came.
long long HomePageShownAt(test::ProgramUnderTest& program);

// The smallest Qt WebEngine program showing `url` in one view, started now.
struct ReferenceRun {
    pid_t pid = -1;
    double startMs = -1;  // process start to the page loaded
};
ReferenceRun StartReference(const std::string& url, const std::string& timeFile);
void EndReference(ReferenceRun& run);

}  // namespace ruvo::bench
