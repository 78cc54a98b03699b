#pragma once
// The start-up routine: runs before any window. It checks that the player can
// be created (offering help and ending when not), creates the settings file on
// first run and repairs it on every run, creates the list files and their
// pages when missing, and then lets the main window show.
#include <string>

#include "config/Clock.h"
#include "config/ProgramPlaces.h"
#include "config/SettingsFile.h"
#include "platform/Dialogs.h"
#include "platform/NetworkAdapters.h"
#include "platform/PlayerProbe.h"
#include "platform/Shell.h"

namespace ruvo {

inline constexpr const char* kMissingPlayerQuestion =
    "程序检测到您的电脑未安装快播(Qvod)播放器，是否要下载Qvod播放器？";
inline constexpr const char* kNoticeTitle = "提示：";
// After the program folder's path, when other users may change what is in it.
inline constexpr const char* kSharedFolderNotice =
    " 可被其他用户修改，程序不在其中读写记录。请改用只有您能修改的文件夹(环境变量 RUVO_HOME)。";

struct StartupPorts {
    PlayerProbe& player;
    Dialogs& dialogs;
    Shell& shell;
    NetworkAdapters& adapters;
    Clock& clock;
};

enum class StartupOutcome { ShowMainWindow, EndProgram };

// `settings` is the settings file of `programFolder`.
StartupOutcome RunStartup(const std::string& programFolder, SettingsFile& settings, const PortalAddress& portal,
                          StartupPorts& ports);

// Writes the first-run values of every start-up key, in the table's order.
void WriteFirstRunSettings(SettingsFile& settings, NetworkAdapters& adapters, Clock& clock);

// Replaces missing or invalid values by their defaults (a new identity for a
// missing one).
void RepairSettings(SettingsFile& settings, NetworkAdapters& adapters, Clock& clock);

}  // namespace ruvo
