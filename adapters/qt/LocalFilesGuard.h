#pragma once
// Keeps the web panes away from the user's files: of all local files only
// the list pages and their picture, in the program folder, may load; a page
// asking for any other (config.dll, the home folder) gets nothing.
#include <QSet>
#include <QString>
#include <QWebEngineUrlRequestInterceptor>

namespace ruvo {

class LocalFilesGuard final : public QWebEngineUrlRequestInterceptor {
public:
    LocalFilesGuard(const QString& programFolder, QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    QSet<QString> allowed_;  // clean absolute paths
};

}  // namespace ruvo
