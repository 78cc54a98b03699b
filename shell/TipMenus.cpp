#include "shell/TipMenus.h"

#include <array>

#include "history/HistoryActions.h"
#include "settings/SettingsDialog.h"

namespace ruvo {
namespace {

constexpr std::array<MenuEntry, 7> kTrayMenu{{
    {"settings", "软件设置"},
    {"about", "关于我们"},
    {"makerHomePage", "官方主页"},
    {"-", ""},
    {"checkUpdate", "升级检测"},
    {"-", ""},
    {"quit", "退出软件"},
}};
constexpr std::array<MenuEntry, 4> kHistoryRowMenu{{
    {"playSelected", "播放选定"},
    {"deleteSelected", "删除任务"},
    {"-", ""},
    {"deleteSelectedAndDownloads", "删除下载"},
}};
constexpr std::array<MenuEntry, 2> kTaskListMenu{{
    {"clearWatchHistory", "删除任务列表"},
    {"showDownloadFolder", "管理下载文件"},
}};

}  // namespace

std::span<const MenuEntry> EntriesOf(MenuName menu) {
    switch (menu) {
        case MenuName::Tray: return kTrayMenu;
        case MenuName::HistoryRow: return kHistoryRowMenu;
        case MenuName::TaskList: return kTaskListMenu;
    }
    return {};
}

void TipMenus::Choose(std::string_view item) {
    HistoryActions& history = parts_.history;
    if (item == "settings") OpenSettingsDialog(1);
    else if (item == "about") OpenSettingsDialog(0);
    else if (item == "makerHomePage") parts_.shell.OpenUrl(parts_.makerHomePage);
    else if (item == "checkUpdate" && parts_.offerUpdate) parts_.offerUpdate();
    else if (item == "quit" && parts_.quit) parts_.quit();
    else if (item == "playSelected") history.PlaySelectedRow();
    else if (item == "deleteSelected") history.DeleteSelectedRow();
    else if (item == "deleteSelectedAndDownloads") history.DeleteSelectedRowAndDownloads();
    else if (item == "clearWatchHistory") history.ClearWatchHistory();
    else if (item == "showDownloadFolder") history.ShowDownloadFolder();
}

void TipMenus::OpenSettingsDialog(int tab) {
    MainWindowHost& host = parts_.host;
    // A top-most main window would cover the dialog it owns: it stops being
    // top-most meanwhile, and its button still says it is.
    const bool wasTopMost = parts_.frame.topMost;
    if (wasTopMost) host.SetTopMost(false);
    if (!host.IsVisible()) host.Show();
    if (host.IsMinimized()) host.ShowNormal();
    SettingsDialog& dialog = parts_.settings;
    dialog.Open();
    if (wasTopMost) host.SetTopMost(true);
    dialog.ShowTab(tab);
}

}  // namespace ruvo
