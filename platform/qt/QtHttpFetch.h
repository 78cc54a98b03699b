#pragma once
#include <QNetworkAccessManager>

#include "platform/HttpFetch.h"

namespace ruvo {

// A GET on Qt's network stack, waited for in a local event loop that keeps
// painting, timers and input going: the window's input handlers decide what
// may act meanwhile (see UserInputDuringFetch).
class QtHttpFetch final : public HttpFetch {
public:
    std::optional<std::string> Get(const std::string& url, int timeoutSeconds) override;
    // Ends the fetch waited for now, as failed (the user wants something else).
    void Abort();
    // Opens a connection to the site of `url` ahead of the first fetch: the
    // network stack's first use sets itself up, which a click would wait for.
    void ConnectAhead(const std::string& url);

private:
    QNetworkAccessManager network_;
    QNetworkReply* pending_ = nullptr;
};

}  // namespace ruvo
