#include "e2e/ProgramUnderTest.h"

#include <algorithm>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

extern char** environ;

namespace ruvo::test {
namespace {

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::vector<std::string> ChildEnvironment(const TempFolder& home, const std::string& programFolder,
                                          const std::string& portalBase, int debugPort, const std::string& browser) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("HOME=", 0) == 0 || variable.rfind("XDG_", 0) == 0 || variable.rfind("RUVO_", 0) == 0)
            continue;
        env.push_back(variable);
    }
    const std::string runtime = home.File("run");
    mkdir(runtime.c_str(), 0700);
    env.push_back("HOME=" + home.File("home"));
    env.push_back("XDG_DATA_HOME=" + home.File("home/.local/share"));
    env.push_back("XDG_CONFIG_HOME=" + home.File("home/.config"));
    env.push_back("XDG_CACHE_HOME=" + home.File("home/.cache"));
    env.push_back("XDG_RUNTIME_DIR=" + runtime);
    env.push_back("RUVO_HOME=" + programFolder);
    env.push_back("RUVO_PORTAL=" + portalBase);
    env.push_back("RUVO_TRACE=" + home.File("trace.log"));
    if (debugPort > 0) env.push_back("QTWEBENGINE_REMOTE_DEBUGGING=127.0.0.1:" + std::to_string(debugPort));
    if (!browser.empty()) env.push_back("BROWSER=" + browser);
    if (geteuid() == 0) env.push_back("QTWEBENGINE_DISABLE_SANDBOX=1");  // the engine refuses root otherwise
    if (!std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) env.push_back("QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu");
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) env.push_back("QT_QPA_PLATFORM=offscreen");
    return env;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(const std::string& mediaFolder)
    : portal_(std::make_unique<demo::PortalServer>(mediaFolder)) {
    portal_->SetControlKey("test-key");  // the tests' own "/control?key=test-key&..." requests
    const int port = portal_->Bind(0);
    portalBase_ = "http://127.0.0.1:" + std::to_string(port) + "/box/";
    portalThread_ = std::thread([this] { portal_->Run(); });
    MakeFolders(home_.File("home"));
    MakeFolders(ProgramFolder());
}

ProgramUnderTest::~ProgramUnderTest() {
    Stop();
    portal_->Stop();
    portalThread_.join();
}

void ProgramUnderTest::Start(const std::vector<std::string>& arguments) {
    debugPort_ = FreePort();
    devTools_ = DevTools(debugPort_);
    child_ = StartAnother(arguments);
}

void ProgramUnderTest::StartAsUser() {
    debugPort_ = 0;
    child_ = StartAnother({});
}

pid_t ProgramUnderTest::StartAnother(const std::vector<std::string>& arguments) {
    std::vector<std::string> args{RUVO_BOX_PATH};
    args.insert(args.end(), arguments.begin(), arguments.end());
    auto env = ChildEnvironment(home_, ProgramFolder(), portalBase_, debugPort_, browser_);
    env.insert(env.end(), extraVariables_.begin(), extraVariables_.end());
    std::vector<char*> argv, envp;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, RUVO_BOX_PATH, nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

std::optional<int> ProgramUnderTest::WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit)) return std::nullopt;
    if (pid == child_) child_ = -1;
    return status;
}

namespace {

bool Succeeds(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

bool ProgramUnderTest::PressKeyIn(const std::string& windowName, const std::string& key) {
    if (!std::getenv("DISPLAY")) return false;
    // Each xdotool call is bounded: a window that never takes the focus must not hang the test.
    const std::string search = "timeout 5 xdotool search --onlyvisible --name " + Quoted("^" + windowName + "$");
    if (!WaitFor([&] { return Succeeds(search); }, std::chrono::seconds(10))) return false;
    // A window that has only just been mapped is still taking the focus; a key sent
    // now may reach the window that had it before.
    const std::string focused = "test \"$(timeout 5 xdotool getwindowfocus getwindowname)\" = " + Quoted(windowName);
    for (int attempt = 0; attempt < 3 && !Succeeds(focused); ++attempt) {
        Succeeds(search + " windowfocus %1");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    if (!Succeeds(focused)) return Succeeds(search + " key --window %1 " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return Succeeds("timeout 5 xdotool key " + key);
}

bool ProgramUnderTest::Running() {
    if (child_ <= 0) return false;
    int status = 0;
    if (waitpid(child_, &status, WNOHANG) == child_) {
        child_ = -1;
        return false;
    }
    return true;
}

int ProgramUnderTest::Stop() {
    if (child_ <= 0) return -1;
    kill(child_, SIGTERM);
    int status = 0;
    const bool ended = WaitFor([&] { return waitpid(child_, &status, WNOHANG) == child_; }, std::chrono::seconds(10));
    if (!ended) {
        kill(child_, SIGKILL);
        waitpid(child_, &status, 0);
    }
    child_ = -1;
    return status;
}

bool ProgramUnderTest::WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

bool ProgramUnderTest::ClickWindow(int x, int y) { return ClickIn("Ruvo电影影视盒", x, y); }

bool ProgramUnderTest::ClickMiddleOf(const std::array<int, 4>& place) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // painted: nothing reports a frame outside a page
    return ClickWindow(place[0] + place[2] / 2, place[1] + place[3] / 2);
}

bool ProgramUnderTest::RightClickWindow(int x, int y) {
    if (!PointerIn("Ruvo电影影视盒", x, y, "")) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return PointerIn("Ruvo电影影视盒", x, y, "click 3");
}

bool ProgramUnderTest::ClickIn(const std::string& windowName, int x, int y) {
    // As a hand does: over the place first, then the click (a click that came
    // with the pointer's jump onto the window was sometimes not delivered).
    if (!PointerIn(windowName, x, y, "")) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return PointerIn(windowName, x, y, "click 1");
}

bool ProgramUnderTest::DoubleClickIn(const std::string& windowName, int x, int y) {
    return PointerIn(windowName, x, y, "click --repeat 2 --delay 80 1");
}

bool ProgramUnderTest::PointerIn(const std::string& windowName, int x, int y, const std::string& then) {
    if (!std::getenv("DISPLAY")) return false;
    return Succeeds("timeout 5 xdotool search --sync --onlyvisible --name " + Quoted("^" + windowName + "$") +
                    " mousemove --window %1 " + std::to_string(x) + " " + std::to_string(y) + " " + then);
}

std::optional<std::array<int, 4>> ProgramUnderTest::WindowGeometry(const std::string& windowName) {
    if (!std::getenv("DISPLAY")) return std::nullopt;
    const std::string command = "timeout 5 xdotool search --onlyvisible --name " + Quoted("^" + windowName + "$") +
                                " getwindowgeometry --shell %1 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    if (!out) return std::nullopt;
    std::array<int, 4> geometry{-1, -1, -1, -1};
    char line[128];
    while (std::fgets(line, sizeof line, out)) {
        std::sscanf(line, "X=%d", &geometry[0]);
        std::sscanf(line, "Y=%d", &geometry[1]);
        std::sscanf(line, "WIDTH=%d", &geometry[2]);
        std::sscanf(line, "HEIGHT=%d", &geometry[3]);
    }
    pclose(out);
    if (geometry[2] < 0 || geometry[3] < 0) return std::nullopt;
    return geometry;
}

bool ProgramUnderTest::DragOnScreen(int fromX, int fromY, int toX, int toY) {
    if (!std::getenv("DISPLAY")) return false;
    const auto point = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
    // A first small step starts the window system's loop, which then follows
    // the pointer from where it is.
    const std::string start = point(fromX + (toX - fromX) / 20, fromY + (toY - fromY) / 20);
    const std::string midway = point((fromX + toX) / 2, (fromY + toY) / 2);
    return Succeeds("timeout 10 xdotool mousemove " + point(fromX, fromY) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
                    start + " sleep 0.3 mousemove " + midway + " sleep 0.3 mousemove " + point(toX, toY) +
                    " sleep 0.3 mouseup 1");
}

bool ProgramUnderTest::PointerActions(const std::string& actions) {
    return std::getenv("DISPLAY") && Succeeds("timeout 20 xdotool " + actions);
}

bool ProgramUnderTest::PressKeys(const std::string& keys) {
    if (!std::getenv("DISPLAY")) return false;
    return std::system(("xdotool key --delay 100 " + keys + " > /dev/null 2>&1").c_str()) == 0;
}

std::optional<std::array<int, 4>> ProgramUnderTest::TracedPlace(const std::string& name) {
    const std::string prefix = "place " + name + "=";
    std::optional<std::array<int, 4>> place;
    WaitFor([&] {
        for (const auto& line : Trace()) {
            const size_t at = line.find(prefix);
            if (at == std::string::npos) continue;
            std::array<int, 4> values{};
            if (std::sscanf(line.c_str() + at + prefix.size(), "%d,%d,%d,%d", &values[0], &values[1], &values[2],
                            &values[3]) == 4)
                place = values;
        }
        return place.has_value();
    }, std::chrono::seconds(10));
    return place;
}

bool ProgramUnderTest::DragInWindow(int x, int y, int toX) {
    if (!std::getenv("DISPLAY")) return false;
    const std::string command = "xdotool search --name '^Ruvo电影影视盒$' mousemove --window %1 " + std::to_string(x) + " " +
                                std::to_string(y) + " mousedown 1 mousemove --window %1 " + std::to_string(toX) + " " +
                                std::to_string(y) + " mouseup 1 > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

bool ProgramUnderTest::PressKey(const std::string& key) { return PressKeyIn("Ruvo电影影视盒", key); }

std::optional<DevToolsTarget> ProgramUnderTest::WaitForPage(const std::string& part) {
    std::optional<DevToolsTarget> page;
    WaitFor([&] { return (page = devTools_.FindPage(part)).has_value(); }, std::chrono::seconds(60));
    return page;
}

std::optional<DevToolsTarget> ProgramUnderTest::WaitForHomePage() {
    const auto home = WaitForPage(portalBase_);
    if (!home) return std::nullopt;
    const bool ready = WaitFor(
        [&] {
            return devTools_
                       .Evaluate(*home, "document.readyState==='complete' && "
                                        "document.querySelector(\"a[href^='eebovod://']\") !== null")
                       .find("true") != std::string::npos;
        },
        std::chrono::seconds(30));
    return ready ? home : std::nullopt;
}

std::vector<std::string> ProgramUnderTest::Trace() const {
    std::vector<std::string> lines;
    std::ifstream in(home_.File("trace.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find(' ') + 1));  // no time
    return lines;
}

int ProgramUnderTest::LongestStallSince(size_t from) const {
    int longest = 0;
    const auto lines = Trace();
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].rfind("stall ", 0) == 0) longest = std::max(longest, std::atoi(lines[i].c_str() + 6));
    return longest;
}

std::string ProgramUnderTest::RecordBrowserLaunches() {
    browser_ = home_.File("browser.sh");
    const std::string opened = home_.File("opened.txt");
    ReplaceFileAtomically(browser_, "#!/bin/sh\necho \"$1\" >> \"" + opened + "\"\n");
    chmod(browser_.c_str(), 0755);
    return opened;
}

bool ProgramUnderTest::WaitForTrace(const std::string& line, std::chrono::milliseconds limit) {
    return WaitFor([&] {
        for (const auto& l : Trace())
            if (l == line) return true;
        return false;
    }, limit);
}

bool ProgramUnderTest::WaitForTracePrefix(const std::string& prefix, size_t from, std::chrono::milliseconds limit) {
    return WaitFor([&] {
        const auto lines = Trace();
        for (size_t i = from; i < lines.size(); ++i)
            if (lines[i].rfind(prefix, 0) == 0) return true;
        return false;
    }, limit);
}

bool ProgramUnderTest::PortalSaw(const std::string& prefix) const {
    for (const auto& line : portal_->Requests())
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

int ProgramUnderTest::PortalRequests(const std::string& line) const {
    int count = 0;
    for (const auto& seen : portal_->Requests()) count += seen == line;
    return count;
}

}  // namespace ruvo::test
