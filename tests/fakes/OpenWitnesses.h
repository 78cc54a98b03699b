#pragma once
// Witnesses of what a program opened: a loopback port that counts who
// connects, and a file that tells its opens (its access time is no witness
// on a relatime mount).
#include <netinet/in.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace ruvo::test {

class LoopbackListener {
public:
    LoopbackListener() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof address;
        bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        listen(fd_, 64);
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        hostAndPort_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    }
    ~LoopbackListener() { close(fd_); }
    const std::string& HostAndPort() const { return hostAndPort_; }
    int Connections() {  // so far
        for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count_) close(client);
        return count_;
    }

private:
    int fd_, count_ = 0;
    std::string hostAndPort_;
};

class FileOpenWatch {
public:
    explicit FileOpenWatch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK)) { inotify_add_watch(fd_, path.c_str(), IN_OPEN); }
    ~FileOpenWatch() { close(fd_); }
    bool Opened() {  // since the last call
        char events[4096];
        bool opened = false;
        while (read(fd_, events, sizeof events) > 0) opened = true;
        return opened;
    }

private:
    int fd_;
};

}  // namespace ruvo::test
