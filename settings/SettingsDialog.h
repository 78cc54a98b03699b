#pragma once
// The settings dialog: the about page, the ten option check boxes and
// the player's download folder. It reads the options when it opens and writes
// them all back on Apply or OK.
#include <string>

#include "config/SettingsFile.h"
#include "config/UserOptions.h"
#include "platform/Dialogs.h"
#include "platform/SettingsDialogView.h"

namespace ruvo {

inline constexpr const char* kFolderChangedNotice = "接受路径修改成功，可能部分电脑需要重启才能生效！";
inline constexpr const char* kFolderNotChangedNotice = "路径修改失败，请检查该文件夹是否可以写入！";
inline constexpr const char* kBrowseTitle = "请选择影片下载存放的文件夹";

class SettingsDialog {
public:
    // What it works with: its view, the messages and folder choice over it,
    // the settings and the program folder.
    struct Parts {
        SettingsDialogView& view;
        Dialogs& dialogs;
        SettingsFile& settings;
        std::string programFolder;
    };
    explicit SettingsDialog(Parts parts);

    // Loads the dialog (re-reading the settings and the player's
    // configuration) and shows it, on tab 0.
    void Open();
    // Tab 0 "关于软件", 1 "软件设置" or 2 "缓存设置".
    void ShowTab(int index);
    void Browse();
    void Apply();
    void Ok();
    void Cancel();
    bool IsOpen() const { return view_.IsOpen(); }
    // The download folder the dialog shows when the configuration names none.
    std::string DefaultDownloadFolder() const;

private:
    void Load();
    // Writes the new download folder into the player's configuration; false
    // when the folder or the file cannot be written.
    bool ChangeDownloadFolder(std::string folder);

    SettingsDialogView& view_;
    Dialogs& dialogs_;
    SettingsFile& settings_;
    UserOptions options_;
    std::string programFolder_;
    std::string playerFolder_;        // "qvodw" as read at load
    std::string loadedFolder_;        // the download folder read at load
    std::string playerConfigText_;    // QvodPlayer.xml as read at load, CR LF after each line
};

}  // namespace ruvo
