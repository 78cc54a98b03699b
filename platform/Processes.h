#pragma once
// Other programs: finding running ones by name, ending them, starting new ones.
#include <string>
#include <vector>

namespace ruvo {

class Processes {
public:
    virtual ~Processes() = default;
    // The id of the first process (in the kernel's list order) whose
    // executable file name contains `name`, exact letter case; 0 when none.
    virtual int FindProcess(const std::string& name) = 0;
    // The ids of every process whose executable file name is `name`, in
    // any letter case.
    virtual std::vector<int> FindProcessesNamed(const std::string& name) = 0;
    // Asks the process to end (SIGTERM). False when it cannot be signalled
    // (gone already, or not ours to end).
    virtual bool TerminateProcessById(int pid) = 0;
    // Starts the program without waiting for it. False when it could not be
    // started (a missing file, no permission).
    virtual bool StartDetached(const std::string& program) = 0;

    bool IsProcessRunning(const std::string& name) { return FindProcess(name) != 0; }
};

// Ends the first process whose executable file name contains `name`, if any.
inline void KillProcessByName(Processes& processes, const std::string& name) {
    if (const int pid = processes.FindProcess(name)) processes.TerminateProcessById(pid);
}

// Ends every process whose executable file name is `name`, in any letter case.
inline void KillAllProcessesNamed(Processes& processes, const std::string& name) {
    for (const int pid : processes.FindProcessesNamed(name)) processes.TerminateProcessById(pid);
}

// The kernel's process list (/proc), signals and fork/exec.
Processes& LinuxProcesses();

}  // namespace ruvo
