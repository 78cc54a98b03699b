#pragma once
// The main window "BA1": its panes, timers and state, and its load.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/ProgramPlaces.h"
#include "platform/MainWindowHost.h"
#include "platform/Timer.h"
#include "platform/WebPane.h"
#include "portal/MainWindowState.h"
#include "portal/Panes.h"

namespace ruvo {

inline constexpr const char* kMainWindowCaption = "Ruvo电影影视盒";

// The main window's timers, with the intervals fixed in its design.
enum class WindowTimer {
    Timer1,  // 1000 ms, play-status monitor, running from the start
    Timer2,  // 2000 ms, end of play
    Timer3,  // 10 ms, one-shot player-process check, running from the start
    Timer4,  // 50000 ms, next-episode retry
    Timer5,  // 6000 ms, one-shot update check, running from the start
    Timer8,  // 20000 ms, floating advertisement
};
inline constexpr size_t kTimerCount = 6;

struct MainWindowPorts {
    MainWindowHost& host;
    std::array<WebPane*, kPaneCount> panes;  // indexed by Pane
    TimerFactory& timers;
};

class MainWindow {
public:
    MainWindow(MainWindowPorts ports, std::string programFolder, PortalAddress portal);

    // Plays the program's command-line argument once the window has loaded.
    void SetPlayCommandLineItem(std::function<void(const std::string&)> play) { playCommandLineItem_ = std::move(play); }

    // The load handler: runs once, when start-up shows the window.
    void Load(const std::string& commandLine);

    // The first page of a pane.
    std::string FirstPage(Pane pane) const;

    WebPane& PaneOf(Pane pane) { return *ports_.panes[static_cast<size_t>(pane)]; }
    Timer& TimerOf(WindowTimer timer) { return *timers_[static_cast<size_t>(timer)]; }
    MainWindowState& State() { return state_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    const PortalAddress& Portal() const { return portal_; }

private:
    void CreateTimers();
    void ReadSavedSettings();

    MainWindowPorts ports_;
    std::string programFolder_;
    PortalAddress portal_;
    MainWindowState state_;
    std::array<std::unique_ptr<Timer>, kTimerCount> timers_;
    std::function<void(const std::string&)> playCommandLineItem_;
};

}  // namespace ruvo
