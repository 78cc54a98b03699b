#include "platform/qt/QtHttpFetch.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

namespace ruvo {
namespace {

// The portal's replies are a few hundred bytes; one that runs past this is
// no reply of the portal and must not fill the memory: it fails.
constexpr qint64 kLongestReply = 4 * 1024 * 1024;

}  // namespace

std::optional<std::string> QtHttpFetch::Get(const std::string& url, int timeoutSeconds) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_.get(request);
    QEventLoop wait;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    // The network stops reading once this much waits unread, so a runaway
    // reply is cut off here rather than taken in whole.
    reply->setReadBufferSize(kLongestReply + 1);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply] {
        if (reply->bytesAvailable() > kLongestReply) reply->abort();
    });
    timeout.start(timeoutSeconds * 1000);
    QNetworkReply* outer = pending_;  // a fetch may start inside another's wait
    pending_ = reply;
    if (!reply->isFinished()) wait.exec();
    pending_ = outer;
    std::optional<std::string> body;
    if (reply->error() == QNetworkReply::NoError) body = reply->readAll().toStdString();
    reply->deleteLater();
    return body;
}

void QtHttpFetch::Abort() {
    if (pending_) pending_->abort();
}

void QtHttpFetch::ConnectAhead(const std::string& url) {
    const QUrl site(QString::fromStdString(url));
    if (site.scheme() == QLatin1String("https")) network_.connectToHostEncrypted(site.host(), site.port(443));
    else if (site.scheme() == QLatin1String("http")) network_.connectToHost(site.host(), site.port(80));
}

}  // namespace ruvo
