#pragma once
// What the user does with the two lists from the main window: the row menu
// of the watch history (play, delete, delete the downloads too) and the
// list action under the right panel (clear a list, open the download folder).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/SettingsFile.h"
#include "platform/Dialogs.h"
#include "platform/PopupMenus.h"
#include "platform/Shell.h"
#include "platform/WebPane.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"

namespace ruvo {

class HistoryLists;

inline constexpr const char* kClearWatchListQuestion = "确定要删除全部[历史观看]列表吗？";
inline constexpr const char* kClearLocalListQuestion = "确定要删除全部[本地播放]列表吗？";
inline constexpr const char* kFilesInUseTip = "部分文件可能正在使用中，未删除成功！请手动删除！";

// How many leading characters of a downloaded file's name identify its
// files: half the name (rounded half to even) when that is 3 or more, else
// the whole name.
size_t CompareLength(std::u32string_view name);

// The names in `names` whose first `length` characters are `prefix`'s.
std::vector<std::string> NamesWithPrefix(const std::vector<std::string>& names, std::string_view prefix);

// The list action label's resting colour.
inline constexpr unsigned kListLabelColor = 0x5A5A5A;

class HistoryActions {
public:
    // The watch list's pane and the lists, the folders and settings that
    // name the downloads, the window's drawing, menus and messages, the
    // desktop's file manager, and calls for a tray tip and for leaving
    // top-most when it is (the file manager must come in front).
    struct Parts {
        WebPane& watchListPane;
        HistoryLists& lists;
        std::string programFolder;
        std::string& playerFolder;  // the outside player's; "" until read from the settings
        SettingsFile& settings;
        WindowView& controls;
        WindowSurface& surface;
        PopupMenus& menus;
        Dialogs& dialogs;
        Shell& shell;
        std::function<void(const std::string&)> showTrayTip;
        std::function<void()> leaveTopMost;
        // Whether the list action acts on the local-file list (the list tab
        // shown last), not on the watch history.
        std::function<bool()> localListLast;
    };
    explicit HistoryActions(Parts parts) : parts_(std::move(parts)) {}

    // A right click in the watch-history page, on the element with this
    // link ("" when not on a link): a row link opens the row menu.
    void RowRightClicked(const std::string& link);
    // Row menu: play the row, delete it, delete its downloaded files and it.
    void PlaySelectedRow();
    void DeleteSelectedRow();
    void DeleteSelectedRowAndDownloads();
    // Clears the watch history after asking.
    void ClearWatchHistory();
    // The list action: clears the local-file list, or opens the task menu.
    void ListActionClicked();
    // Shows the download folder in the file manager.
    void ShowDownloadFolder();

private:
    std::string DownloadFolder();
    // The files of the watch-history line that a download left.
    std::vector<std::string> DownloadedFilesOf(const std::string& line, const std::string& folder);
    void DeleteFiles(const std::string& folder, const std::vector<std::string>& names);
    void ClearList(std::string_view listName, const char* question);

    Parts parts_;
    std::string rowLink_;  // of the watch-history row last right-clicked ("" = none)
};

}  // namespace ruvo
