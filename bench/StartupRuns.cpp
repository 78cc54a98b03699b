#include "StartupRuns.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "BenchSupport.h"

extern char** environ;

namespace ruvo::bench {

using namespace std::chrono_literals;

long long HomePageShownAt(test::ProgramUnderTest& program) {
    for (int i = 0; i < 600; ++i) {
        const auto shown = TracedTimes(program.Home().File("trace.log"), " shown Web1");
        if (!shown.empty()) return shown.front();
        std::this_thread::sleep_for(20ms);
    }
    return -1;
}

ReferenceRun StartReference(const std::string& url, const std::string& timeFile) {
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
    ReferenceRun run;
    const long long start = MonotonicMs();
    if (posix_spawn(&run.pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        run.pid = -1;
        return run;
    }
    for (int i = 0; i < 1500 && run.startMs < 0; ++i) {
        std::ifstream in(timeFile);
        long long shown = 0;
        if (in >> shown) run.startMs = static_cast<double>(shown - start);
        else std::this_thread::sleep_for(20ms);
    }
    return run;
}

void EndReference(ReferenceRun& run) {
    if (run.pid <= 0) return;
    kill(run.pid, SIGTERM);
    waitpid(run.pid, nullptr, 0);
    run.pid = -1;
}

}  // namespace ruvo::bench
