#pragma once
// A web server on 127.0.0.1 for the listening tests: files of a folder with
// range requests (/media/NAME), one of them looped without end (/endless/NAME),
// one sent a few bytes at a time (/trickle/NAME), and redirects (/moved?to=).
// It records the requests and the bytes it sent.
#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ruvo::test {

class MediaServer {
public:
    explicit MediaServer(std::string folder);
    ~MediaServer();

    std::string Address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    // "PATH RANGE" of each request so far.
    std::vector<std::string> Requests();
    std::int64_t BytesSent() const { return sent_; }
    // Open endless or trickling replies; 0 once the listener has hung up.
    int Streaming() const { return streaming_; }

private:
    void ServeFile(httplib::Response& response, const std::string& name);
    bool Send(httplib::DataSink& sink, const char* bytes, std::size_t size);

    std::string folder_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::atomic<std::int64_t> sent_{0};
    std::atomic<int> streaming_{0};
    std::atomic<bool> stopping_{false};
};

}  // namespace ruvo::test
