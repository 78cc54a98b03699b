#include "platform/qt/QtHttpFetch.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

namespace ruvo {

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
    timeout.start(timeoutSeconds * 1000);
    if (!reply->isFinished()) wait.exec(QEventLoop::ExcludeUserInputEvents);
    std::optional<std::string> body;
    if (reply->error() == QNetworkReply::NoError) body = reply->readAll().toStdString();
    reply->deleteLater();
    return body;
}

}  // namespace ruvo
