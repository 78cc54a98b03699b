#pragma once
// Witnesses of what a program opened: a loopback port that counts who
// connects, and a file that counts its opens (its access time is no
// witness on a relatime mount).
#include <netinet/in.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace ruvo::test {

class LoopbackListener {
public:
    LoopbackListener() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&address), size) == 0 && listen(fd_, 64) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() { close(fd_); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    // "127.0.0.1:PORT".
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // Everyone who has connected so far.
    int Connections() {
        for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count_) close(client);
        return count_;
    }

private:
    int fd_;
    int port_ = 0, count_ = 0;
};

class FileOpenWatch {
public:
    explicit FileOpenWatch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    ~FileOpenWatch() { close(fd_); }
    FileOpenWatch(const FileOpenWatch&) = delete;
    FileOpenWatch& operator=(const FileOpenWatch&) = delete;

    // True when the file was opened since the last call.
    bool Opened() {
        char buffer[4096];
        bool opened = false;
        while (read(fd_, buffer, sizeof buffer) > 0) opened = true;
        return opened;
    }

private:
    int fd_;
};

}  // namespace ruvo::test
