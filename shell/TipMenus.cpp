#include "shell/TipMenus.h"

#include <array>

#include "history/HistoryActions.h"
#include "portal/MainWindow.h"
#include "settings/SettingsDialog.h"
#include "shell/TitleButtons.h"

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
    HistoryActions& history = window_.History();
    if (item == "settings") OpenSettingsDialog(1);
    else if (item == "about") OpenSettingsDialog(0);
    else if (item == "makerHomePage") OpenMakerHomePage();
    else if (item == "checkUpdate") window_.OfferUpdate();
    else if (item == "quit") window_.Exit();
    else if (item == "playSelected") history.PlaySelectedRow();
    else if (item == "deleteSelected") history.DeleteSelectedRow();
    else if (item == "deleteSelectedAndDownloads") history.DeleteSelectedRowAndDownloads();
    else if (item == "clearWatchHistory") history.ClearWatchHistory();
    else if (item == "showDownloadFolder") history.ShowDownloadFolder();
}

void TipMenus::OpenSettingsDialog(int tab) {
    TitleButtons& title = window_.Title();
    MainWindowHost& host = window_.Host();
    // A top-most main window would cover the dialog it owns.
    const bool wasTopMost = title.IsTopMost();
    if (wasTopMost) title.HoldTopMost(false);
    if (!host.IsVisible()) host.Show();
    if (host.IsMinimized()) host.ShowNormal();
    SettingsDialog& dialog = window_.Settings();
    dialog.Open();
    if (wasTopMost) title.HoldTopMost(true);
    dialog.ShowTab(tab);
}

void TipMenus::OpenMakerHomePage() {
    window_.DesktopShell().OpenUrl(window_.MakerHomePage());
}

}  // namespace ruvo
