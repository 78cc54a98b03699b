#pragma once
// HTTP GETs of short texts (the portal's replies), answered later.
#include <functional>
#include <optional>
#include <string>

namespace ruvo {

class HttpFetch {
public:
    // The reply body, or nothing when the request failed (no connection, an
    // HTTP error status, or no reply within the time allowed).
    using Done = std::function<void(std::optional<std::string> body)>;
    virtual ~HttpFetch() = default;
    // Starts the request and returns at once; `done` hears the reply on the
    // program's own thread, never inside this call's caller. Everything goes
    // on meanwhile: the caller decides whether a late reply still counts.
    virtual void Get(const std::string& url, int timeoutSeconds, Done done) = 0;
};

}  // namespace ruvo
