#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "config/FileSystem.h"
#include "platform/Processes.h"

extern char** environ;

namespace ruvo {
namespace {

class Linux final : public Processes {
public:
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
