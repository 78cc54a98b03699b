#include "e2e/DevTools.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>
#include <regex>

namespace ruvo::test {
namespace {

// Settles once a shown page has painted two frames (a hidden one paints none).
constexpr char kTwoFramesPainted[] =
    "new Promise(function(done){if(document.visibilityState!=='visible')return done('hidden');"
    "requestAnimationFrame(function(){requestAnimationFrame(function(){done('painted')})});"
    "setTimeout(function(){done('late')},3000)})";

// The value of "key": "..." in a JSON object text (without unescaping beyond \").
std::vector<std::string> StringValues(const std::string& json, const std::string& key) {
    std::vector<std::string> values;
    const std::regex pattern("\"" + key + "\"\\s*:\\s*\"((?:[^\"\\\\]|\\\\.)*)\"");
    for (std::sregex_iterator it(json.begin(), json.end(), pattern), end; it != end; ++it) values.push_back((*it)[1]);
    return values;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

class Socket {
public:
    explicit Socket(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval timeout{10, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Ok() const { return fd_ >= 0; }
    bool Send(const std::string& bytes) { return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size()); }
    bool Receive(std::string& buffer, size_t atLeast) {
        char chunk[65536];
        while (buffer.size() < atLeast) {
            const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
            if (got <= 0) return false;
            buffer.append(chunk, static_cast<size_t>(got));
        }
        return true;
    }

private:
    int fd_ = -1;
};

std::string TextFrame(const std::string& payload) {
    std::string frame;
    frame += static_cast<char>(0x81);  // final text frame
    const size_t size = payload.size();
    if (size < 126) {
        frame += static_cast<char>(0x80 | size);
    } else if (size < 65536) {
        frame += static_cast<char>(0x80 | 126);
        frame += static_cast<char>(size >> 8);
        frame += static_cast<char>(size & 0xFF);
    } else {
        frame += static_cast<char>(0x80 | 127);
        for (int shift = 56; shift >= 0; shift -= 8) frame += static_cast<char>((size >> shift) & 0xFF);
    }
    std::mt19937 random(std::random_device{}());
    char mask[4];
    for (char& m : mask) m = static_cast<char>(random());
    frame.append(mask, 4);
    for (size_t i = 0; i < size; ++i) frame += static_cast<char>(payload[i] ^ mask[i % 4]);
    return frame;
}

// Reads one whole message (joining continuation frames); "" on failure.
std::string ReadMessage(Socket& socket, std::string& buffer) {
    std::string message;
    for (;;) {
        if (!socket.Receive(buffer, 2)) return {};
        const auto b0 = static_cast<unsigned char>(buffer[0]), b1 = static_cast<unsigned char>(buffer[1]);
        size_t header = 2, size = b1 & 0x7F;
        if (size == 126) {
            if (!socket.Receive(buffer, 4)) return {};
            size = (static_cast<unsigned char>(buffer[2]) << 8) | static_cast<unsigned char>(buffer[3]);
            header = 4;
        } else if (size == 127) {
            if (!socket.Receive(buffer, 10)) return {};
            size = 0;
            for (int i = 2; i < 10; ++i) size = (size << 8) | static_cast<unsigned char>(buffer[i]);
            header = 10;
        }
        if (!socket.Receive(buffer, header + size)) return {};
        message += buffer.substr(header, size);
        buffer.erase(0, header + size);
        if (b0 & 0x80) return message;
    }
}

}  // namespace

std::vector<DevToolsTarget> DevTools::Targets() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(5, 0);
    auto reply = client.Get("/json/list");
    std::vector<DevToolsTarget> targets;
    if (!reply || reply->status != 200) return targets;
    const auto urls = StringValues(reply->body, "url");
    const auto sockets = StringValues(reply->body, "webSocketDebuggerUrl");
    for (size_t i = 0; i < urls.size() && i < sockets.size(); ++i) {
        const std::string& ws = sockets[i];
        const size_t path = ws.find('/', ws.find("://") + 3);
        targets.push_back({urls[i], path == std::string::npos ? "" : ws.substr(path)});
    }
    return targets;
}

std::optional<DevToolsTarget> DevTools::FindPage(const std::string& part) const {
    const auto targets = Targets();
    for (const auto& target : targets)
        if (target.url == part) return target;
    for (const auto& target : targets)
        if (target.url.find(part) != std::string::npos) return target;
    return std::nullopt;
}

std::string DevTools::Call(const DevToolsTarget& target, const std::string& method, const std::string& params) const {
    Socket socket(port_);
    if (!socket.Ok()) return {};
    const std::string handshake = "GET " + target.socketPath +
                                  " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) +
                                  "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                  "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    if (!socket.Send(handshake)) return {};
    std::string buffer;
    while (buffer.find("\r\n\r\n") == std::string::npos)
        if (!socket.Receive(buffer, buffer.size() + 1)) return {};
    if (buffer.find(" 101 ") == std::string::npos) return {};
    buffer.erase(0, buffer.find("\r\n\r\n") + 4);
    if (!socket.Send(TextFrame("{\"id\":1,\"method\":\"" + method + "\",\"params\":" + params + "}"))) return {};
    for (int i = 0; i < 100; ++i) {
        const std::string message = ReadMessage(socket, buffer);
        if (message.empty()) return {};
        if (message.find("\"id\":1") != std::string::npos) return message;
    }
    return {};
}

std::string DevTools::Evaluate(const DevToolsTarget& target, const std::string& expression) const {
    return Call(target, "Runtime.evaluate", "{\"expression\":" + JsonString(expression) + ",\"returnByValue\":true}");
}

std::string DevTools::EvaluateAsUser(const DevToolsTarget& target, const std::string& expression) const {
    return Call(target, "Runtime.evaluate",
                "{\"expression\":" + JsonString(expression) + ",\"userGesture\":true,\"returnByValue\":true}");
}

bool DevTools::ClickLink(const DevToolsTarget& target, const std::string& selector,
                         std::chrono::steady_clock::time_point* releasedAt) const {
    // Only a page that has finished loading and laying out its fonts keeps
    // its links where they were measured.
    const std::string locate = "(function(){if(document.readyState!=='complete'||document.fonts.status!=='loaded')"
                               "return 'none';var a=document.querySelector(" + JsonString(selector) +
                               ");if(!a)return 'none';a.scrollIntoView();var r=a.getBoundingClientRect();"
                               "return (r.left+r.width/2)+','+(r.top+r.height/2);})()";
    std::string found = Evaluate(target, locate);
    for (int tries = 0; tries < 150 && found.find("\"none\"") != std::string::npos; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the page is still coming
        found = Evaluate(target, locate);
    }
    std::smatch match;
    if (!std::regex_search(found, match, std::regex("\"value\":\"([0-9.\\-]+),([0-9.\\-]+)\""))) return false;
    // A pane shown a moment ago may not have painted yet, and the engine
    // may drop a mouse event it cannot place on a frame: wait for two frames.
    Call(target, "Runtime.evaluate",
         "{\"expression\":" + JsonString(kTwoFramesPainted) + ",\"awaitPromise\":true,\"returnByValue\":true}");
    const std::string at = "\"x\":" + match[1].str() + ",\"y\":" + match[2].str();
    const auto mouse = [&](const char* type) {
        Call(target, "Input.dispatchMouseEvent",
             std::string("{\"type\":\"") + type + "\"," + at + ",\"button\":\"left\",\"clickCount\":1}");
    };
    mouse("mousePressed");
    if (releasedAt) *releasedAt = std::chrono::steady_clock::now();
    mouse("mouseReleased");
    return true;
}

}  // namespace ruvo::test
