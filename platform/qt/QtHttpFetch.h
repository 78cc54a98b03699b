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

private:
    QNetworkAccessManager network_;
    QNetworkReply* pending_ = nullptr;
};

}  // namespace ruvo
