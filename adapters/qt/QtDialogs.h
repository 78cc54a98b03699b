#pragma once
#include <QString>

#include "platform/Dialogs.h"
#include "platform/Shell.h"

class QWidget;

namespace ruvo {

// Message boxes with Qt widgets, owned by `parent` when there is one.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    bool AskYesNo(const std::string& text, const std::string& title, Default enter = Default::No,
                  Icon icon = Icon::Question) override;
    void ShowNotice(const std::string& text, const std::string& title) override;
    std::string ChooseFile(const std::string& title, const std::string& filter, const std::string& startFolder) override;
    std::string ChooseFolder(const std::string& initialFolder, const std::string& title) override;
    std::string AskText(const std::string& prompt, const std::string& title) override;

private:
    QWidget* parent_;
    QString lastFileFolder_;  // where the last chosen file was, in this run
};

// Where the open-file dialog starts: the folder of the last file chosen
// while it still exists, else the user's Videos folder (xdg-user-dir
// VIDEOS), else the home folder.
QString FileDialogStartFolder(const QString& lastFileFolder);

// Opens addresses with the desktop's default opener (xdg-open and friends).
// Where the desktop has none, a notice says what to install.
class QtShell final : public Shell {
public:
    explicit QtShell(Dialogs& dialogs) : dialogs_(dialogs) {}
    bool OpenUrl(const std::string& url) override;
    bool OpenFolder(const std::string& folder) override;

private:
    bool Opened(bool opened);  // tells the user when it was not
    Dialogs& dialogs_;
};

}  // namespace ruvo
