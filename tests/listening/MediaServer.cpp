#include "listening/MediaServer.h"

#include <chrono>
#include <fstream>
#include <sstream>

namespace ruvo::test {
namespace {

std::shared_ptr<std::string> Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::make_shared<std::string>(std::move(bytes).str());
}

}  // namespace

MediaServer::MediaServer(std::string folder) : folder_(std::move(folder)) {
    server_.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        std::lock_guard lock(mutex_);
        requests_.push_back(request.path + " " + request.get_header_value("Range"));
    });
    server_.Get("/media/(.+)", [this](const httplib::Request& request, httplib::Response& response) {
        ServeFile(response, request.matches[1]);
    });
    server_.Get("/endless/(.+)", [this](const httplib::Request& request, httplib::Response& response) {
        const auto loop = Bytes(folder_ + "/" + request.matches[1].str());
        if (!loop) return void(response.status = 404);
        ++streaming_;
        response.set_chunked_content_provider(
            "audio/aac",
            [this, loop](std::size_t, httplib::DataSink& sink) { return Send(sink, loop->data(), loop->size()); },
            [this](bool) { --streaming_; });
    });
    server_.Get("/trickle/(.+)", [this](const httplib::Request& request, httplib::Response& response) {
        const auto bytes = Bytes(folder_ + "/" + request.matches[1].str());
        if (!bytes) return void(response.status = 404);
        ++streaming_;
        response.set_content_provider(
            bytes->size(), "audio/wav",
            [this, bytes](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return Send(sink, bytes->data() + offset, std::min<std::size_t>(64, bytes->size() - offset));
            },
            [this](bool) { --streaming_; });
    });
    server_.Get("/moved", [](const httplib::Request& request, httplib::Response& response) {
        response.set_redirect(request.get_param_value("to"));
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
}

MediaServer::~MediaServer() {
    stopping_ = true;
    server_.stop();
    thread_.join();
}

std::vector<std::string> MediaServer::Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

void MediaServer::ServeFile(httplib::Response& response, const std::string& name) {
    const auto bytes = Bytes(folder_ + "/" + name);
    if (!bytes) return void(response.status = 404);
    if (bytes->empty()) return response.set_content("", "application/octet-stream");  // a provider must send something
    // Range requests are answered by httplib from the offsets it asks for.
    response.set_content_provider(bytes->size(), "application/octet-stream",
                                  [this, bytes](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                      return Send(sink, bytes->data() + offset, std::min<std::size_t>(length, 65536));
                                  });
}

bool MediaServer::Send(httplib::DataSink& sink, const char* bytes, std::size_t size) {
    if (stopping_ || !sink.is_writable() || !sink.write(bytes, size)) return false;
    sent_ += static_cast<std::int64_t>(size);
    return true;
}

}  // namespace ruvo::test
