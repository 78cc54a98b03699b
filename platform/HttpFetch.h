#pragma once
// One synchronous HTTP GET of a URL into text.
#include <optional>
#include <string>

namespace ruvo {

class HttpFetch {
public:
    virtual ~HttpFetch() = default;
    // The reply body, or nothing when the request failed (no connection, an
    // HTTP error status, or no reply within `timeoutSeconds`). The call
    // returns only then; the window keeps painting meanwhile, and the
    // program's logic gets no events until it returns (the window's own
    // input may end the wait: the user's input comes first).
    virtual std::optional<std::string> Get(const std::string& url, int timeoutSeconds) = 0;
};

}  // namespace ruvo
