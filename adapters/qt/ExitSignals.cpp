#include "adapters/qt/ExitSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace ruvo {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};

// Runs in the signal's context: only writes its number into the pipe.
void OnSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = saved;
}

}  // namespace

ExitSignals::ExitSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Arrived(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals) sigaction(number, &action, nullptr);
}

ExitSignals::~ExitSignals() {
    for (const int number : kSignals) signal(number, SIG_DFL);
    if (pipeEnds[0] >= 0) close(pipeEnds[0]);
    if (pipeEnds[1] >= 0) close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void ExitSignals::Arrived() {
    unsigned char byte = 0;
    if (read(pipeEnds[0], &byte, 1) != 1 || handled_) return;
    handled_ = true;  // a second signal while the first is handled changes nothing
    if (onSignal_) onSignal_(byte);
}

}  // namespace ruvo
