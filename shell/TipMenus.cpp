#include "shell/TipMenus.h"

#include <array>

#include "history/HistoryActions.h"
#include "playback/ExitProgram.h"
#include "portal/MainWindow.h"
#include "settings/SettingsDialog.h"
#include "shell/TitleButtons.h"

namespace ruvo {
namespace {

constexpr std::array<MenuEntry, 7> kTrayMenu{{
    {"shezhi", "软件设置"},
    {"about", "关于我们"},
    {"guanf", "官方主页"},
    {"-", ""},
    {"shengji", "升级检测"},
    {"-", ""},
    {"qsoft", "退出软件"},
}};
constexpr std::array<MenuEntry, 4> kHistoryRowMenu{{
    {"c_f", "播放选定"},
    {"c_shan", "删除任务"},
    {"-", ""},
    {"c_shan2", "删除下载"},
}};
constexpr std::array<MenuEntry, 2> kTaskListMenu{{
    {"renwub", "删除任务列表"},
    {"wenjianb", "管理下载文件"},
}};

}  // namespace

std::span<const MenuEntry> EntriesOf(MenuName menu) {
    switch (menu) {
        case MenuName::r_m: return kTrayMenu;
        case MenuName::webc: return kHistoryRowMenu;
        case MenuName::c_fie: return kTaskListMenu;
    }
    return {};
}

void TipMenus::Choose(std::string_view item) {
    HistoryActions& history = window_.History();
    if (item == "shezhi") OpenSettingsDialog(1);
    else if (item == "about") OpenSettingsDialog(0);
    else if (item == "guanf") OpenMakerHomePage();
    else if (item == "shengji") window_.OfferUpdate();
    else if (item == "qsoft") ExitProgram(window_);
    else if (item == "c_f") history.CCC();
    else if (item == "c_shan") history.ddd();
    else if (item == "c_shan2") history.eee();
    else if (item == "renwub") history.qk_xl();
    else if (item == "wenjianb") history.qk_xw();
}

void TipMenus::OpenSettingsDialog(int tab) {
    TitleButtons& title = window_.Title();
    MainWindowHost& host = window_.Host();
    // A top-most main window would cover the dialog it owns.
    const bool wasTopMost = title.IsTopMost();
    if (wasTopMost) title.zhi_d(0);
    if (!host.IsVisible()) host.Show();
    if (host.IsMinimized()) host.ShowNormal();
    SettingsDialog& dialog = window_.Settings();
    dialog.Open();
    if (wasTopMost) title.zhi_d(1);
    dialog.d_z_Click(tab);
}

void TipMenus::OpenMakerHomePage() {
    window_.DesktopShell().OpenUrl(window_.MakerHomePage());
}

}  // namespace ruvo
