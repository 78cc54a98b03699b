#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/QtDialogs.h"

namespace ruvo {

bool QtShell::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url)));
}

bool QtShell::OpenFolder(const std::string& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

}  // namespace ruvo
