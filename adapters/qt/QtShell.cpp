#include <QDesktopServices>
#include <QUrl>

#include "adapters/qt/QtDialogs.h"

namespace ruvo {

namespace {

constexpr const char* kNoOpenerNotice =
    "没有找到打开它的程序。请安装 xdg-utils(例如 sudo apt install xdg-utils)和一个网页浏览器、文件管理器。";

}  // namespace

bool QtShell::OpenUrl(const std::string& url) {
    return Opened(QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url))));
}

bool QtShell::OpenFolder(const std::string& folder) {
    return Opened(QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder))));
}

bool QtShell::Opened(bool opened) {
    if (!opened) dialogs_.ShowNotice(kNoOpenerNotice, "提示：");
    return opened;
}

}  // namespace ruvo
