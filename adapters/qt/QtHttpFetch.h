#pragma once
#include <QNetworkAccessManager>
#include <QObject>

#include "platform/HttpFetch.h"

namespace ruvo {

// GETs on Qt's network stack, answered through its signals: nothing waits.
class QtHttpFetch final : public HttpFetch {
public:
    ~QtHttpFetch() override;
    void Get(const std::string& url, int timeoutSeconds, Done done) override;
    // Opens a connection to the site of `url` ahead of the first fetch: the
    // network stack's first use sets itself up, which a click would wait for.
    void ConnectAhead(const std::string& url);

private:
    QNetworkAccessManager network_;
    // Whose replies are told: gone before the network, so a reply that ends
    // as the program ends is told to no one.
    QObject listener_;
};

}  // namespace ruvo
