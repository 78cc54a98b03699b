#include "demo/PortalServer.h"

#include <algorithm>
#include <httplib.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "base/TextCodec.h"
#include "demo/Catalog.h"
#include "demo/Pages.h"

namespace demo {
namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kText = "text/plain; charset=utf-8";
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kHugeReplyBytes = 100 * 1024 * 1024;  // the "huge" fault's reply

// Routing ignores doubled slashes ("/box//right.asp" is the side page).
std::string CollapseSlashes(const std::string& path) {
    std::string out;
    for (const char c : path)
        if (!(c == '/' && !out.empty() && out.back() == '/')) out += c;
    return out;
}

// A search word comes from a UTF-8 page, or in GBK from an older one.
std::string SearchWord(const httplib::Request& request) {
    return ruvo::DecodeReplyText(request.get_param_value("searchword"));
}

int ParamInt(const httplib::Request& request, const char* name, int fallback) {
    try {
        return std::stoi(request.get_param_value(name));
    } catch (...) {
        return fallback;
    }
}

// label "$" address "$" kind; "0" past either end, "1" for an unknown title.
std::string EpisodeReply(const httplib::Request& request) {
    const Title* title = FindTitle(ParamInt(request, "id", -1));
    const int source = ParamInt(request, "v", -1);
    if (!title || source < 0 || source >= static_cast<int>(title->sources.size())) return "1";
    const Source& chosen = title->sources[static_cast<size_t>(source)];
    const int index = ParamInt(request, "v1", -1);
    if (index < 0 || index >= static_cast<int>(chosen.episodes.size())) return "0";
    const Episode& episode = chosen.episodes[static_cast<size_t>(index)];
    return episode.label + "$" + MediaAddress(request.get_header_value("Host"), episode.media) + "$" + chosen.kind;
}

std::string MimeOf(const std::string& file) {
    if (file.ends_with(".mp4")) return "video/mp4";
    if (file.ends_with(".webm")) return "video/webm";
    return "application/octet-stream";
}

std::string QueryOf(const httplib::Request& request) {
    const size_t mark = request.target.find('?');
    return mark == std::string::npos ? std::string() : request.target.substr(mark + 1);
}

void SetPage(httplib::Response& response, const std::string& page) {
    if (page.empty()) {
        response.status = 404;
        response.set_content(NotFoundPage(), kHtml);
    } else {
        response.set_content(page, kHtml);
    }
}

}  // namespace

PortalServer::PortalServer(std::string mediaFolder)
    : mediaFolder_(std::move(mediaFolder)), server_(std::make_unique<httplib::Server>()) {
    // Nine panes, the player and keep-alive connections each hold a worker.
    server_->new_task_queue = [] { return new httplib::ThreadPool(48); };
    server_->set_keep_alive_timeout(2);
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response);
    });
}

PortalServer::~PortalServer() { Stop(); }

int PortalServer::Bind(int port) {
    if (port == 0) return server_->bind_to_any_port("127.0.0.1");
    return server_->bind_to_port("127.0.0.1", port) ? port : -1;
}

void PortalServer::Run() {
    runCalled_ = true;
    if (stopRequested_) return;  // stopped before it started
    server_->listen_after_bind();
}

void PortalServer::Stop() {
    // A stop that comes while the serving loop is starting waits for it, else
    // the loop would come up after the stop and never end.
    stopRequested_ = true;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (runCalled_ && !server_->is_running() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (server_->is_running()) server_->stop();
}

std::vector<std::string> PortalServer::Requests() const {
    std::lock_guard lock(requestsMutex_);
    return {requests_.begin(), requests_.end()};
}

void PortalServer::ClearRequests() {
    std::lock_guard lock(requestsMutex_);
    requests_.clear();
}

void PortalServer::Record(const std::string& line) {
    std::lock_guard lock(requestsMutex_);
    requests_.push_back(line.substr(0, kLongestRequestLine));
    if (requests_.size() > kKeptRequests) requests_.pop_front();
    if (!logFile_.empty()) std::ofstream(logFile_, std::ios::app) << line << "\n";
}

void PortalServer::Handle(const httplib::Request& request, httplib::Response& response) {
    const std::string path = CollapseSlashes(request.path);
    if (path.rfind("/control", 0) == 0) return ServeControl(path, request, response);
    Record(request.method + " " + request.target);
    if (ApplyFault(path, response)) return;
    Route(path, request, response);
}

bool PortalServer::ApplyFault(const std::string& path, httplib::Response& response) {
    const auto fault = faults_.For(path);
    if (!fault) return false;
    switch (fault->kind) {
        case Fault::Kind::Slow:
            std::this_thread::sleep_for(std::chrono::milliseconds(fault->delayMs));
            return false;
        case Fault::Kind::ReplyOne: response.set_content("1", kText); return true;
        case Fault::Kind::ReplyZero: response.set_content("0", kText); return true;
        case Fault::Kind::Malformed: response.set_content("<html>服务器忙</html>", kText); return true;
        case Fault::Kind::ServerError:
            response.status = 500;
            response.set_content("server error", kText);
            return true;
        case Fault::Kind::Drop:
            // Headers promise a body, then the connection closes without it: every
            // client sees a broken reply, never a complete empty one.
            response.set_content_provider(1024, kText, [](size_t, size_t, httplib::DataSink&) { return false; });
            return true;
        case Fault::Kind::Huge:
            response.set_content_provider(kHugeReplyBytes, kText, [](size_t offset, size_t length, httplib::DataSink& sink) {
                static const std::string chunk(kChunk, '9');
                sink.write(chunk.data(), std::min(length, chunk.size()));
                return offset < kHugeReplyBytes;
            });
            return true;
        case Fault::Kind::Loop:
            // Every visit counts as a request, so a test sees the loop go on.
            SetPage(response, "<html><body><script>location.replace(location.pathname + '?' + Date.now());</script></body></html>");
            return true;
        case Fault::Kind::Popups:
            SetPage(response,
                    "<html><body>ad<script>for (var i = 0; i < 300; ++i) window.open('https://ads.invalid/' + i);"
                    "for (var j = 0; j < 1000; ++j) window.open();</script></body></html>");
            return true;
        case Fault::Kind::Text: response.set_content(fault->body, kText); return true;
        case Fault::Kind::Page: SetPage(response, fault->body); return true;
        case Fault::Kind::Redirect: response.set_redirect(fault->body, 302); return true;
        case Fault::Kind::SelfClicks:
            SetPage(response,
                    "<html><body><a id=e href='eebovod://12-0-1-星河漫游记'>第2集</a><script>"
                    "setInterval(function () { document.getElementById('e').click(); }, 3000);</script></body></html>");
            return true;
    }
    return false;
}

void PortalServer::Route(const std::string& path, const httplib::Request& request, httplib::Response& response) {
    if (path == "/box" || path == "/box/" || path == "/box/index.asp") return SetPage(response, HomePage());
    if (path == "/box/right.asp") return SetPage(response, SidePage());
    if (path == "/box/h.asp") return response.set_content(EpisodeReply(request), kText);
    if (path == "/box/lib/wen.txt") return response.set_content(faults_.UpdateText(), kText);
    if (path == "/box/update/update.exe") return response.set_content("demo updater", "application/octet-stream");
    if (path == "/box/search.asp") return SetPage(response, SearchPage(SearchWord(request), request.get_header_value("Host")));
    if (path == "/box/play.htm") return SetPage(response, PlayPage());
    if (path == "/box/tv/eebotv.htm") return SetPage(response, TvPage(QueryOf(request)));
    if (path == "/box/tj/tj.asp") return SetPage(response, StatsPage(request.get_param_value("id")));
    if (path == "/box/show.asp") return SetPage(response, TitlePage(ParamInt(request, "id", -1)));
    if (path == "/help" || path == "/help/") return SetPage(response, HelpPage());
    if (path.rfind("/box/js/ads/", 0) == 0 && path.ends_with(".html"))
        return SetPage(response, AdPage(path.substr(12, path.size() - 12 - 5)));
    if (path.rfind("/show/", 0) == 0 && path.ends_with(".html")) {
        try {
            return SetPage(response, TitlePage(std::stoi(path.substr(6))));
        } catch (...) {
        }
    }
    if (path.rfind("/media/", 0) == 0) return ServeMedia(path.substr(7), response);
    SetPage(response, "");
}

void PortalServer::ServeMedia(const std::string& file, httplib::Response& response) {
    const std::string path = mediaFolder_ + "/" + file;
    std::ifstream probe(path, std::ios::binary | std::ios::ate);
    if (file.find('/') != std::string::npos || file.find("..") != std::string::npos || !probe) return SetPage(response, "");
    const auto size = static_cast<size_t>(probe.tellg());
    const long rate = faults_.Rate();
    response.set_header("Accept-Ranges", "bytes");
    response.set_content_provider(size, MimeOf(file), [path, rate](size_t offset, size_t length, httplib::DataSink& sink) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(offset));
        const size_t chunk = rate > 0 ? std::clamp<size_t>(static_cast<size_t>(rate) / 10, 1024, kChunk) : kChunk;
        std::string buffer(std::min(chunk, length), '\0');
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<size_t>(in.gcount());
        if (got == 0 || !sink.write(buffer.data(), got)) return false;
        if (rate > 0) std::this_thread::sleep_for(std::chrono::microseconds(got * 1000000 / static_cast<size_t>(rate)));
        return true;
    });
}

void PortalServer::ServeControl(const std::string& path, const httplib::Request& request, httplib::Response& response) {
    if (controlKey_.empty() || request.get_param_value("key") != controlKey_) {
        response.status = 404;
        return;
    }
    if (path == "/control/requests") {
        if (request.has_param("clear")) ClearRequests();
        std::string lines;
        for (const auto& line : Requests()) lines += line + "\n";
        return response.set_content(lines, kText);
    }
    if (request.has_param("clear")) faults_.ClearAll();
    if (request.has_param("target")) {
        const auto fault = ParseFault(request.get_param_value("fault"));
        if (!fault) {
            response.status = 400;
            return response.set_content("unknown fault", kText);
        }
        faults_.Set(request.get_param_value("target"), *fault);
    }
    if (request.has_param("wen")) faults_.SetUpdateText(request.get_param_value("wen"));
    const char* fields[] = {"exit", "float", "playerad", "scroll", "version"};
    for (int i = 0; i < 5; ++i)
        if (request.has_param(fields[i])) faults_.SetUpdateField(i, request.get_param_value(fields[i]));
    if (request.has_param("rate")) faults_.SetRate(ParamInt(request, "rate", 0));
    response.set_content("ok\n", kText);
}

}  // namespace demo
