#pragma once
// Drives the real program end to end: a demo portal in this process on a
// free loopback port, a fresh program folder and home, and ruvo-box started
// as a child process with the environment a test run needs (no sandbox as
// root, offscreen when there is no display).
#include <sys/types.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "demo/PortalServer.h"
#include "e2e/DevTools.h"
#include "fakes/TempFolder.h"

namespace ruvo::test {

class ProgramUnderTest {
public:
    // The demo portal serves the media of `mediaFolder` (by default the
    // sample media made at build time).
    explicit ProgramUnderTest(const std::string& mediaFolder = RUVO_DEMO_MEDIA);
    // The program's process id (-1 when not running).
    pid_t Pid() const { return child_; }
    ~ProgramUnderTest();

    // Starts ruvo-box with these arguments.
    void Start(const std::vector<std::string>& arguments = {});
    // Starts ruvo-box as a user does, without the engine's debugging port
    // (which costs start-up time): for benchmarks, which read only the trace.
    void StartAsUser();
    // Starts one more ruvo-box with the same environment (a second start).
    pid_t StartAnother(const std::vector<std::string>& arguments);
    // The exit status of a started program once it has ended; nothing after `limit`.
    std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit);
    // Left, top, width and height on the screen of the visible window with
    // exactly this title.
    std::optional<std::array<int, 4>> WindowGeometry(const std::string& windowName = "Ruvo电影影视盒");
    // Presses the left button at one screen point and releases it at another.
    bool DragOnScreen(int fromX, int fromY, int toX, int toY);
    // Runs xdotool with these actions ("mousemove 10 10 click 1 sleep 0.3 ..."),
    // in screen coordinates; false without a display.
    bool PointerActions(const std::string& actions);
    // Double-clicks at (x, y) inside the window.
    bool DoubleClickIn(const std::string& windowName, int x, int y);
    // Presses a key in the window with exactly this title (a message box).
    bool PressKeyIn(const std::string& windowName, const std::string& key);
    // Ends the program (SIGTERM, then SIGKILL) and returns its exit status.
    int Stop();
    bool Running();

    demo::PortalServer& Portal() { return *portal_; }
    const std::string& PortalBase() const { return portalBase_; }
    const TempFolder& Home() const { return home_; }
    std::string ProgramFolder() const { return home_.File("program"); }
    std::string ProgramFile(std::string_view name) const { return JoinPath(ProgramFolder(), name); }

    // The engine's debugging port, to act in the program's pages.
    DevTools& Pages() { return devTools_; }
    // Waits until a page whose address contains `part` is open and returns it.
    std::optional<DevToolsTarget> WaitForPage(const std::string& part);
    // Waits until the portal pane shows the home page itself (not the empty
    // document before it) with its episode links, and returns it.
    std::optional<DevToolsTarget> WaitForHomePage();
    // The lines of the program's trace (RUVO_TRACE).
    std::vector<std::string> Trace() const;
    // The longest event-loop pause the trace reported from line `from` on.
    int LongestStallSince(size_t from) const;
    // Makes the browser of the next start a script that notes each address it
    // is given, one a line, in the file whose path this returns.
    std::string RecordBrowserLaunches();
    // Waits until the trace holds `line` (exactly), or until `limit`.
    bool WaitForTrace(const std::string& line, std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Waits until the trace holds a line starting with `prefix`, counting from trace line `from`.
    bool WaitForTracePrefix(const std::string& prefix, size_t from = 0,
                            std::chrono::milliseconds limit = std::chrono::seconds(30));

    // Clicks the main window at (x, y) of its own coordinates with the X
    // server's pointer (xdotool); false when there is no display or window.
    bool ClickWindow(int x, int y);
    // Clicks the middle of `place` ("place NAME=" of the trace) once what was
    // just put there has had time to paint; false as ClickWindow.
    bool ClickMiddleOf(const std::array<int, 4>& place);
    // Right-clicks the main window at (x, y) of its own coordinates.
    bool RightClickWindow(int x, int y);
    // Adds "NAME=value" to the environment of every later start (the
    // program's own RUVO_ variables are otherwise not passed on).
    void SetVariable(const std::string& assignment) { extraVariables_.push_back(assignment); }
    // Clicks at (x, y) inside the window with exactly this title.
    bool ClickIn(const std::string& windowName, int x, int y);
    // Presses keys ("Down Return") wherever the keyboard goes now (an open menu).
    bool PressKeys(const std::string& keys);
    // The last "place NAME=x,y,w,h" the program traced, waiting for one.
    std::optional<std::array<int, 4>> TracedPlace(const std::string& name);
    // Presses the left button at (x, y) of the main window, moves to
    // (toX, y) and releases it there.
    bool DragInWindow(int x, int y, int toX);
    // Presses a key (an X key name: "space", "Right") in the focused main window.
    bool PressKey(const std::string& key);

    // Waits until `condition` holds, checking every 50 ms; false after `limit`.
    static bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit);
    // True once the portal has seen a request line that starts with `prefix`.
    bool PortalSaw(const std::string& prefix) const;
    // How many times the portal has seen exactly this request line.
    int PortalRequests(const std::string& line) const;

private:
    // Moves the X server's pointer to (x, y) of the window with this title, then does `then` (an xdotool action, or nothing).
    bool PointerIn(const std::string& windowName, int x, int y, const std::string& then);
    TempFolder home_;
    std::unique_ptr<demo::PortalServer> portal_;
    std::thread portalThread_;
    std::string portalBase_;
    pid_t child_ = -1;
    int debugPort_ = 0;
    std::string browser_;  // $BROWSER of the next start, when set
    std::vector<std::string> extraVariables_;  // NAME=value, for every later start
    DevTools devTools_{0};
};

}  // namespace ruvo::test
