#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/QtDialogs.h"

namespace ruvo {

bool QtShell::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url)));
}

}  // namespace ruvo
