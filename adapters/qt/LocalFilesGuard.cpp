#include "adapters/qt/LocalFilesGuard.h"

#include <QDir>
#include <QUrl>

namespace ruvo {

LocalFilesGuard::LocalFilesGuard(const QString& programFolder, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent) {
    for (const char* name : {"c.htm", "f.htm", "i.gif"})
        allowed_.insert(QDir::cleanPath(QDir(programFolder).absoluteFilePath(QString::fromLatin1(name))));
}

void LocalFilesGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (!url.isLocalFile()) return;
    if (!allowed_.contains(QDir::cleanPath(url.toLocalFile()))) info.block(true);
}

}  // namespace ruvo
