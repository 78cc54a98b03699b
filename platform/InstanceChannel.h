#pragma once
// The channel between a running instance and a second start: the second one
// hands its command line over in one message and ends.
#include <functional>
#include <string>

namespace ruvo {

class InstanceChannel {
public:
    virtual ~InstanceChannel() = default;
    // True when no other instance runs: this process now owns the channel and
    // receives the commands of later starts. Of two starts racing, exactly
    // one gets true.
    virtual bool BecomeFirstInstance() = 0;
    // Sends the command line to the running instance; false when none took
    // it (it is closing, or gone).
    virtual bool SendToRunningInstance(const std::string& commandLine) = 0;
    // For a start whose running instance is closing: waits up to
    // `milliseconds` for it to end (asking it to end now when it lingers
    // longer), and is then the first instance (true).
    virtual bool WaitToBecomeFirstInstance(int milliseconds) = 0;
    // The running instance's exit has begun: later starts get no answer
    // (they wait for it to end and open their own window).
    virtual void StopAnswering() = 0;
    // Where the running instance's received commands go.
    virtual void SetOnCommand(std::function<void(const std::string&)> onCommand) = 0;
};

}  // namespace ruvo
