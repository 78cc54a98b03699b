#include "adapters/qt/QtHttpFetch.h"

#include <QNetworkReply>
#include <QTimer>

namespace ruvo {
namespace {

// The portal's replies are a few hundred bytes; one that runs past this is
// no reply of the portal and must not fill the memory: it fails.
constexpr qint64 kLongestReply = 4 * 1024 * 1024;

}  // namespace

QtHttpFetch::~QtHttpFetch() {
    // Replies still open end without telling anyone: their callers are gone.
    for (QNetworkReply* reply : network_.findChildren<QNetworkReply*>()) {
        reply->disconnect(&listener_);
        reply->abort();
    }
}

void QtHttpFetch::Get(const std::string& url, int timeoutSeconds, Done done) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_.get(request);
    auto* timeout = new QTimer(reply);
    timeout->setSingleShot(true);
    QObject::connect(timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    timeout->start(timeoutSeconds * 1000);
    // The network stops reading once this much waits unread, so a runaway
    // reply is cut off here rather than taken in whole.
    reply->setReadBufferSize(kLongestReply + 1);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply] {
        if (reply->bytesAvailable() > kLongestReply) reply->abort();
    });
    // Queued: a reply that fails at once is still told after this call.
    QObject::connect(
        reply, &QNetworkReply::finished, &listener_,
        [reply, done = std::move(done)] {
            std::optional<std::string> body;
            if (reply->error() == QNetworkReply::NoError) body = reply->readAll().toStdString();
            reply->deleteLater();
            if (done) done(std::move(body));
        },
        Qt::QueuedConnection);
}

void QtHttpFetch::ConnectAhead(const std::string& url) {
    const QUrl site(QString::fromStdString(url));
    if (site.scheme() == QLatin1String("https")) network_.connectToHostEncrypted(site.host(), site.port(443));
    else if (site.scheme() == QLatin1String("http")) network_.connectToHost(site.host(), site.port(80));
}

}  // namespace ruvo
