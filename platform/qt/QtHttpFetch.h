#pragma once
#include <QNetworkAccessManager>

#include "platform/HttpFetch.h"

namespace ruvo {

// A GET on Qt's network stack, waited for in a local event loop that keeps
// painting and timers going but holds back mouse and keyboard input.
class QtHttpFetch final : public HttpFetch {
public:
    std::optional<std::string> Get(const std::string& url, int timeoutSeconds) override;

private:
    QNetworkAccessManager network_;
};

}  // namespace ruvo
