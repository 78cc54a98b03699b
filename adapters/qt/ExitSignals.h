#pragma once
// The signals that end a program politely (SIGTERM when the desktop logs out
// or shuts down, SIGINT for Ctrl+C in a terminal, SIGHUP when the terminal
// goes) are turned into a call on the user-interface thread, so the program
// can store what it must before it ends, instead of being killed outright.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace ruvo {

class ExitSignals final : public QObject {
public:
    // `onSignal` runs once, with the signal's number, for the first of them.
    explicit ExitSignals(std::function<void(int)> onSignal);
    ~ExitSignals() override;

private:
    void Arrived();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    bool handled_ = false;
};

}  // namespace ruvo
