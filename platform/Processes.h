#pragma once
// Starting another program (the updater) without waiting for it.
#include <string>

namespace ruvo {

class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program without waiting for it. False when it could not be
    // started (a missing file, no permission).
    virtual bool StartDetached(const std::string& program) = 0;
};

// fork/exec, of a program only its owner may change.
Processes& LinuxProcesses();

}  // namespace ruvo
