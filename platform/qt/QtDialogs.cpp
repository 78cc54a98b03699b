#include "platform/qt/QtDialogs.h"

#include <QMessageBox>

namespace ruvo {

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title) {
    return QMessageBox::question(parent_, QString::fromStdString(title), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::ShowNotice(const std::string& text, const std::string& title) {
    QMessageBox::information(parent_, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
}

}  // namespace ruvo
