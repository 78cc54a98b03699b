#pragma once
// Other programs: finding running ones by name and starting new ones.
#include <string>

namespace ruvo {

class Processes {
public:
    virtual ~Processes() = default;
    // True when a running process's executable file name contains `name`
    // (exact letter case).
    virtual bool IsProcessRunning(const std::string& name) = 0;
    // Starts the program without waiting for it. False when it could not be
    // started (a missing file, no permission).
    virtual bool StartDetached(const std::string& program) = 0;
};

// The kernel's process list (/proc) and posix_spawn.
Processes& LinuxProcesses();

}  // namespace ruvo
