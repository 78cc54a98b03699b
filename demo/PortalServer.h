#pragma once
// The demo portal: a real HTTP server on loopback that answers every request
// the program makes of a portal, under the base path "/box/".
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "demo/Faults.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace demo {

class PortalServer {
public:
    explicit PortalServer(std::string mediaFolder);
    ~PortalServer();

    Faults& FaultSwitches() { return faults_; }
    // Also appends every request line to this file.
    void SetLogFile(const std::string& path) { logFile_ = path; }
    // The "/control" requests (faults, the request log) answer only with
    // "key=" this secret; without one (as the program starts its portal)
    // they answer 404 to everyone: other users of the computer may reach
    // any loopback port.
    void SetControlKey(std::string key) { controlKey_ = std::move(key); }

    // Binds 127.0.0.1 on `port` (0: a free one). Returns the port, or -1.
    int Bind(int port);
    // Serves until Stop; call after Bind.
    void Run();
    void Stop();

    // The log keeps the last kKeptRequests lines, each cut to
    // kLongestRequestLine bytes: anyone on the computer may send requests,
    // and memory must not grow with them.
    static constexpr size_t kKeptRequests = 4000;
    static constexpr size_t kLongestRequestLine = 2048;

    // "GET /box//right.asp" etc., in arrival order: the last kKeptRequests.
    std::vector<std::string> Requests() const;
    void ClearRequests();

private:
    void Handle(const httplib::Request& request, httplib::Response& response);
    bool ApplyFault(const std::string& path, httplib::Response& response);
    void Route(const std::string& path, const httplib::Request& request, httplib::Response& response);
    void ServeMedia(const std::string& file, httplib::Response& response);
    void ServeControl(const std::string& path, const httplib::Request& request, httplib::Response& response);
    void Record(const std::string& line);

    std::string mediaFolder_;
    std::string logFile_;
    std::string controlKey_;
    Faults faults_;
    std::unique_ptr<httplib::Server> server_;
    std::atomic<bool> runCalled_{false};
    std::atomic<bool> stopRequested_{false};
    mutable std::mutex requestsMutex_;
    std::deque<std::string> requests_;
};

}  // namespace demo
