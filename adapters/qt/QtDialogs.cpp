#include "adapters/qt/QtDialogs.h"

#include "adapters/qt/FileDialogDates.h"
#include "base/BidiControls.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace ruvo {

namespace {

// A message box that shows its text as it is: texts may come from the
// portal, and markup there could draw fake warnings or links to local files
// (its title, a window title, goes through the one filter; its lines keep
// their breaks but lose bidirectional controls).
int ShowBox(QWidget* parent, QMessageBox::Icon icon, const std::string& title, const std::string& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton enter) {
    QMessageBox box(icon, QString::fromStdString(ShownText(title)), QString::fromStdString(WithoutBidiControls(text)),
                    buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(enter);
    return box.exec();
}

}  // namespace

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title, Default enter, Icon icon) {
    return ShowBox(parent_, icon == Icon::Question ? QMessageBox::Question : QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                   enter == Default::Yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::ShowNotice(const std::string& text, const std::string& title) {
    ShowBox(parent_, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

std::string QtDialogs::ChooseFile(const std::string& title, const std::string& filter, const std::string& startFolder) {
    // "description|patterns|description|patterns" becomes Qt's
    // "description (patterns);;description (patterns)".
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns == QLatin1String("*.*")) patterns = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    const QString start = QString::fromStdString(startFolder);
    QFileDialog dialog(parent_, QString::fromStdString(title), FileDialogStartFolder(QFileInfo(start).isDir() ? start : lastFileFolder_),
                       filters.join(QStringLiteral(";;")));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setProxyModel(new FileDialogDates(&dialog));  // Qt's own dialog: dates in Chinese too
    const QString file = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                                   : QString();
    if (!file.isEmpty()) lastFileFolder_ = QFileInfo(file).absolutePath();
    return file.toStdString();
}

QString FileDialogStartFolder(const QString& lastFileFolder) {
    if (!lastFileFolder.isEmpty() && QFileInfo(lastFileFolder).isDir()) return lastFileFolder;
    // Qt reads the desktop's user-dirs.dirs; without an entry it names ~/Videos.
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!videos.isEmpty() && QFileInfo(videos).isDir()) return videos;
    return QDir::homePath();
}

std::string QtDialogs::ChooseFolder(const std::string& initialFolder, const std::string& title) {
    const QString caption = title.empty() ? QStringLiteral("请选择文件夹") : QString::fromStdString(title);
    return QFileDialog::getExistingDirectory(parent_, caption, QString::fromStdString(initialFolder)).toStdString();
}

std::string QtDialogs::AskText(const std::string& prompt, const std::string& title) {
    constexpr int kFieldWidth = 520;  // an address shows whole, not a fifth of it
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QString::fromStdString(ShownText(title)));
    dialog.setLabelText(QString::fromStdString(WithoutBidiControls(prompt)));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.resize(kFieldWidth, dialog.sizeHint().height());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

}  // namespace ruvo
