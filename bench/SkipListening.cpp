#include "SkipListening.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <future>
#include <vector>

#include "demo/PortalServer.h"

namespace ruvo::bench {
namespace {

double Seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9; }
double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

[[noreturn]] void Serve(const std::string& folder, int portPipe) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives the benchmark
    demo::PortalServer portal(folder);
    const int port = portal.Bind(0);
    if (write(portPipe, &port, sizeof port) != sizeof port) _exit(1);
    close(portPipe);
    if (port > 0) portal.Run();
    _exit(0);
}

// Runs `command`, returning the CPU seconds it used, or -1 when it failed.
double ChildCpuSeconds(const std::vector<std::string>& command) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

}  // namespace

PortalProcess::PortalProcess(const std::string& folder) {
    int ends[2];
    if (pipe(ends) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(ends[0]);
        Serve(folder, ends[1]);
    }
    close(ends[1]);
    if (pid_ < 0 || read(ends[0], &port_, sizeof port_) != sizeof port_) port_ = -1;
    close(ends[0]);
}

PortalProcess::~PortalProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string PortalProcess::Address(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/media/" + name;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return Seconds(t);
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return Seconds(t);
}

Hearing Hear(FfmpegListening& listening, const std::string& address) {
    std::promise<std::optional<HeardEpisode>> heard;
    const double before = ProcessCpuSeconds();
    listening.Listen(address, [&](std::optional<HeardEpisode> episode) { heard.set_value(std::move(episode)); });
    Hearing hearing{heard.get_future().get()};
    hearing.cpuSeconds = ProcessCpuSeconds() - before;
    return hearing;
}

Decoding DecodingCpu(const std::string& address, double duration) {
    auto command = [&](double from, double seconds) {
        std::vector<std::string> words{"ffmpeg", "-nostdin", "-v", "error"};
        if (from > 0) words.insert(words.end(), {"-ss", std::to_string(from)});
        if (seconds > 0) words.insert(words.end(), {"-t", std::to_string(seconds)});
        words.insert(words.end(), {"-i", address, "-vn", "-f", "null", "-"});
        return ChildCpuSeconds(words);
    };
    const double tailFrom = duration - TailSecondsOf(duration);
    const double head = command(0, HeadSecondsOf(duration));
    const double tail = command(tailFrom, 0);
    Decoding decoding;
    if (head < 0 || tail < 0) return decoding;
    decoding.cpuSeconds = head + tail;
    decoding.startCpuSeconds = std::max(0.0, command(0, 0.05)) + std::max(0.0, command(tailFrom, 0.05));
    return decoding;
}

}  // namespace ruvo::bench
