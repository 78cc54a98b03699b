#include "BenchSupport.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_set>

namespace ruvo::bench {


double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::vector<long long> TracedTimes(const std::string& tracePath, const std::string& ending) {
    std::vector<long long> times;
    std::ifstream in(tracePath);
    for (std::string line; std::getline(in, line);)
        if (line.ends_with(ending)) times.push_back(std::atoll(line.c_str()));
    return times;
}

std::vector<long long> PlayerEvents(const std::string& tracePath, const std::string& event) {
    return TracedTimes(tracePath, " player " + event);
}

namespace {

struct ProcessInfo {
    pid_t parent = 0;
    long long cpuTicks = 0;
};

std::map<pid_t, ProcessInfo> Processes() {
    std::map<pid_t, ProcessInfo> processes;
    DIR* proc = opendir("/proc");
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        const pid_t pid = std::atoi(entry->d_name);
        if (pid <= 0) continue;
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(text.substr(close + 2));
        std::string state;
        long long parent = 0, skip = 0, utime = 0, stime = 0;
        fields >> state >> parent;
        for (int i = 0; i < 9; ++i) fields >> skip;
        fields >> utime >> stime;
        processes[pid] = {static_cast<pid_t>(parent), utime + stime};
    }
    if (proc) closedir(proc);
    return processes;
}

// The process's command line with its words joined by blanks, cut to 160 characters.
std::string CommandLine(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text.substr(0, 160);
}

// The root and every process below it.
std::vector<std::pair<pid_t, ProcessInfo>> Tree(pid_t root) {
    const auto processes = Processes();
    std::vector<std::pair<pid_t, ProcessInfo>> tree;
    for (const auto& [pid, info] : processes) {
        for (pid_t p = pid; p > 1;) {
            if (p == root) {
                tree.emplace_back(pid, info);
                break;
            }
            const auto it = processes.find(p);
            if (it == processes.end()) break;
            p = it->second.parent;
        }
    }
    return tree;
}

}  // namespace

double TreeCpuSeconds(pid_t root) {
    long long ticks = 0;
    for (const auto& [pid, info] : Tree(root)) ticks += info.cpuTicks;
    return static_cast<double>(ticks) / sysconf(_SC_CLK_TCK);
}

namespace {

// The present pages' frame numbers of one process, added to `frames`. Only
// the mappings with resident pages are read (smaps says which): Chromium
// reserves terabytes it never touches.
void AddPageFrames(pid_t pid, std::unordered_set<uint64_t>& frames) {
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream smaps(proc + "/smaps");
    FILE* pagemap = std::fopen((proc + "/pagemap").c_str(), "rb");
    if (!pagemap) return;
    const long page = sysconf(_SC_PAGESIZE);
    unsigned long start = 0, end = 0;
    std::vector<uint64_t> entries;
    for (std::string line; std::getline(smaps, line);) {
        unsigned long from = 0, to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx", &from, &to) == 2) {  // a mapping's first line
            start = from;
            end = to;
            continue;
        }
        if (line.rfind("Rss:", 0) != 0 || std::atoll(line.c_str() + 4) == 0 || end <= start) continue;
        entries.resize((end - start) / page);
        if (fseeko(pagemap, static_cast<off_t>(start / page * sizeof(uint64_t)), SEEK_SET) != 0) continue;
        const size_t read = std::fread(entries.data(), sizeof(uint64_t), entries.size(), pagemap);
        for (size_t i = 0; i < read; ++i) {
            constexpr uint64_t kPresent = 1ULL << 63, kFrame = (1ULL << 55) - 1;
            if ((entries[i] & kPresent) && (entries[i] & kFrame) != 0) frames.insert(entries[i] & kFrame);
        }
    }
    std::fclose(pagemap);
}

}  // namespace

TreeMemory TreePss(pid_t root) {
    TreeMemory memory;
    std::unordered_set<uint64_t> frames;
    for (const auto& [pid, info] : Tree(root)) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        for (std::string line; std::getline(rollup, line);) {
            if (line.rfind("Pss:", 0) == 0) {
                const long long pss = std::atoll(line.c_str() + 4);
                memory.pssKb += pss;
                if (std::getenv("RUVO_BENCH_DETAIL")) std::fprintf(stderr, "  pid %d: %lld kB %s\n", pid, pss, CommandLine(pid).c_str());
            } else if (line.rfind("Private_Clean:", 0) == 0 || line.rfind("Private_Dirty:", 0) == 0) {
                const long long kb = std::atoll(line.c_str() + line.find(':') + 1);
                memory.privateKb += kb;
                if (line.rfind("Private_Dirty:", 0) == 0) memory.privateDirtyKb += kb;
            }
        }
        AddPageFrames(pid, frames);
        ++memory.processes;
    }
    memory.asIfAloneKb = static_cast<long long>(frames.size()) * sysconf(_SC_PAGESIZE) / 1024;
    return memory;
}

}  // namespace ruvo::bench
