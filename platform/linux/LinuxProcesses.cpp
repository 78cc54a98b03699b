#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <climits>

#include "config/FileSystem.h"
#include "platform/Processes.h"

extern char** environ;

namespace ruvo {
namespace {

std::string ExecutableNameOf(const char* pid) {
    char target[PATH_MAX];
    const std::string link = std::string("/proc/") + pid + "/exe";
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0) return {};
    std::string path(target, static_cast<size_t>(length));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return path.substr(path.rfind('/') + 1);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// Calls `visit` with the id and executable file name of every process in
// the kernel's list order, until it returns false.
template <typename Visit>
void ForEachProcess(Visit visit) {
    DIR* proc = opendir("/proc");
    if (!proc) return;
    while (dirent* entry = readdir(proc)) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0]))) continue;
        if (!visit(std::atoi(entry->d_name), ExecutableNameOf(entry->d_name))) break;
    }
    closedir(proc);
}

class Linux final : public Processes {
public:
    int FindProcess(const std::string& name) override {
        int found = 0;
        ForEachProcess([&](int pid, const std::string& executable) {
            if (executable.find(name) != std::string::npos) found = pid;
            return found == 0;
        });
        return found;
    }
    std::vector<int> FindProcessesNamed(const std::string& name) override {
        std::vector<int> found;
        ForEachProcess([&](int pid, const std::string& executable) {
            if (EqualIgnoringCase(executable, name)) found.push_back(pid);
            return true;
        });
        return found;
    }
    bool TerminateProcessById(int pid) override { return pid > 0 && kill(pid, SIGTERM) == 0; }
    bool StartDetached(const std::string& program) override {
        if (access(program.c_str(), X_OK) != 0) return false;
        // A program another user could have put or changed there never runs.
        if (!IsTrustedProgram(program)) {
            std::fprintf(stderr, "ruvo-box: not started: %s may be changed by other users\n", program.c_str());
            return false;
        }
        // Started through an intermediate child that exits at once, so the
        // program is never our child and needs no waiting for.
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        const pid_t middle = fork();
        if (middle < 0) return false;
        if (middle == 0) {
            setsid();
            if (fork() == 0) {
                execve(argv[0], argv, environ);
                _exit(127);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(middle, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

}  // namespace

Processes& LinuxProcesses() {
    static Linux processes;
    return processes;
}

}  // namespace ruvo
