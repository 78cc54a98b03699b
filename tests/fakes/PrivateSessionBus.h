#pragma once
// A session bus of the test's own (dbus-daemon), so tests never talk to the
// desktop of whoever runs them. Its address goes into
// DBUS_SESSION_BUS_ADDRESS of this process and of every child it starts.
#include <signal.h>
#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ruvo::test {

class PrivateSessionBus {
public:
    PrivateSessionBus() {
        FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        if (!out) return;
        char line[512];
        if (std::fgets(line, sizeof line, out)) address_ = Trimmed(line);
        if (std::fgets(line, sizeof line, out)) pid_ = static_cast<pid_t>(std::atol(line));
        pclose(out);
        if (Running()) setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~PrivateSessionBus() {
        if (pid_ > 0) kill(pid_, SIGTERM);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool Running() const { return !address_.empty() && pid_ > 0; }
    const std::string& Address() const { return address_; }

private:
    static std::string Trimmed(std::string text) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
    std::string address_;
    pid_t pid_ = -1;
};

}  // namespace ruvo::test
