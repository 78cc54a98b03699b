#pragma once
#include <chrono>
// A small client of the web engine's remote-debugging protocol, so an
// end-to-end test can act in the program's pages as a user would: find the
// page a pane shows and click a link in it.
#include <optional>
#include <string>
#include <vector>

namespace ruvo::test {

struct DevToolsTarget {
    std::string url;
    std::string socketPath;  // path of the target's websocket on the debugging port
};

class DevTools {
public:
    explicit DevTools(int port) : port_(port) {}

    // The pages open now.
    std::vector<DevToolsTarget> Targets() const;
    // The page at exactly that address, else the first whose address contains it.
    std::optional<DevToolsTarget> FindPage(const std::string& part) const;
    // Evaluates a script in the page and returns the result's JSON text ("" on failure).
    std::string Evaluate(const DevToolsTarget& target, const std::string& expression) const;
    // The same as if the user had just clicked in the page (what full screen
    // and sound need).
    std::string EvaluateAsUser(const DevToolsTarget& target, const std::string& expression) const;
    // Clicks the first link matching the CSS selector the way a user does
    // (a mouse press and release at its centre); false when there is none,
    // after waiting up to 15 s for the page to show one.
    // `releasedAt`, when given, is set to the moment the mouse button is
    // released, which is when a link acts (the steady clock), after the waits
    // for the page.
    bool ClickLink(const DevToolsTarget& target, const std::string& selector,
                   std::chrono::steady_clock::time_point* releasedAt = nullptr) const;

    // Crashes the page's renderer process.
    void CrashRenderer(const DevToolsTarget& target) const { Call(target, "Page.crash", "{}"); }

private:
    std::string Call(const DevToolsTarget& target, const std::string& method, const std::string& params) const;
    int port_;
};

}  // namespace ruvo::test
