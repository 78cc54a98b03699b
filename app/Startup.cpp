#include "app/Startup.h"

#include "app/MachineIdentity.h"
#include "base/NumberText.h"
#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "config/TextFile.h"
#include "history/HistoryPages.h"
#include "history/HistoryRecords.h"

namespace ruvo {
namespace {

// The value a key must be rewritten with, or nothing when it may stay.
std::optional<std::string> RepairedValue(const SettingKey& key, const std::string& value, NetworkAdapters& adapters,
                                         Clock& clock) {
    switch (key.repair) {
        case RepairRule::None:
            return std::nullopt;
        case RepairRule::NewIdentity:
            if (value == "0" || value.empty()) return MachineIdentity(adapters, clock);
            return std::nullopt;
        case RepairRule::ExactVersion:
            if (value != kInstalledVersion) return std::string(kInstalledVersion);
            return std::nullopt;
        case RepairRule::PromptState: {
            const int state = TextToInt(value);
            if (state != 1 && state != 2) return std::string(key.firstRunValue);
            return std::nullopt;
        }
        case RepairRule::ZeroOrNotNumber:
            if (TextToInt(value) == 0) return std::string(key.firstRunValue);
            return std::nullopt;
    }
    return std::nullopt;
}

void CreateListIfMissing(const std::string& folder, std::string_view listName) {
    const std::string path = JoinPath(folder, listName);
    if (!PathExists(path)) WriteTextFile(path, "\r\n");
}

void RenderPageIfMissing(const std::string& folder, std::string_view listName) {
    if (!PathExists(JoinPath(folder, PageFileOf(listName)))) WriteHistoryPage(folder, listName);
}

}  // namespace

void WriteFirstRunSettings(SettingsFile& settings, NetworkAdapters& adapters, Clock& clock) {
    for (const SettingKey& key : kStartupKeys) {
        const std::string value =
            key.repair == RepairRule::NewIdentity ? MachineIdentity(adapters, clock) : std::string(key.firstRunValue);
        settings.Write(key.section, key.key, value);
    }
}

void RepairSettings(SettingsFile& settings, NetworkAdapters& adapters, Clock& clock) {
    // Every value is read before the first repair is written.
    std::vector<std::string> values;
    for (const SettingKey& key : kStartupKeys) values.push_back(settings.Read(key.section, key.key, "0"));
    for (size_t i = 0; i < kStartupKeys.size(); ++i) {
        if (const auto repaired = RepairedValue(kStartupKeys[i], values[i], adapters, clock))
            settings.Write(kStartupKeys[i].section, kStartupKeys[i].key, *repaired);
    }
}

StartupOutcome RunStartup(const std::string& programFolder, SettingsFile& settings, const PortalAddress& portal,
                          StartupPorts& ports) {
    if (!ports.player.CanCreatePlayer()) {
        if (ports.dialogs.AskYesNo(kMissingPlayerQuestion, kNoticeTitle)) ports.shell.OpenUrl(portal.root + "/help/");
        return StartupOutcome::EndProgram;
    }
    // Others could plant lists and pages there, or read and change the user's.
    if (PathExists(programFolder) && OthersMayChange(programFolder)) {
        ports.dialogs.ShowNotice(programFolder + kSharedFolderNotice, kNoticeTitle);
        return StartupOutcome::EndProgram;
    }
    MakeFolders(programFolder);
    for (const std::string_view name : {kSettingsFileName, kWatchListFile, kLocalListFile, kWatchPageFile, kLocalPageFile})
        RemoveLeftoverTemporaries(JoinPath(programFolder, name));
    // A FIFO, device or oversized file in a file's place would leave it
    // unreadable for good: it is kept aside and the file made anew.
    SetAsideIfDamaged(settings.Path(), kSettingsFileLimit);
    SetAsideIfDamaged(JoinPath(programFolder, kWatchListFile), kListFileLimit);
    SetAsideIfDamaged(JoinPath(programFolder, kLocalListFile), kListFileLimit);
    if (!PathExists(settings.Path())) WriteFirstRunSettings(settings, ports.adapters, ports.clock);
    RepairSettings(settings, ports.adapters, ports.clock);
    CreateListIfMissing(programFolder, kWatchListFile);
    CreateListIfMissing(programFolder, kLocalListFile);
    RenderPageIfMissing(programFolder, kWatchListFile);
    RenderPageIfMissing(programFolder, kLocalListFile);
    EnsureDeleteIcon(programFolder);
    return StartupOutcome::ShowMainWindow;
}

}  // namespace ruvo
