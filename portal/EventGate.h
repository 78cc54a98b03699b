#pragma once
// While the program waits for a synchronous fetch, the window keeps painting
// but nothing else of the program's logic may run. Whoever delivers events
// (pane events, timer ticks) asks the gate first: pane events are deferred
// until the gate opens again, timer ticks too (one a timer, however many came).
#include <functional>
#include <vector>

namespace ruvo {

class EventGate {
public:
    // Closes the gate for its lifetime; nested holds are allowed.
    class Hold {
    public:
        explicit Hold(EventGate& gate) : gate_(gate) { ++gate_.holds_; }
        ~Hold() { gate_.Release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        EventGate& gate_;
    };

    bool IsClosed() const { return holds_ > 0; }
    // Runs `event` now when the gate is open, else when it opens.
    void RunOrDefer(std::function<void()> event);

private:
    void Release();

    int holds_ = 0;
    std::vector<std::function<void()>> deferred_;
};

}  // namespace ruvo
