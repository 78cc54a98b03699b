#include "settings/SettingsDialog.h"

#include <array>

#include "base/NumberText.h"
#include "base/TextBetween.h"
#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "config/TextFile.h"
#include "config/PlayerFolder.h"
#include "settings/PlayerConfigText.h"

namespace ruvo {
namespace {

struct OptionBox {
    int index;  // the check box's number in the dialog
    Option option;
};

// The boxes in the order Apply writes their keys.
const std::array<OptionBox, 10> kOptionBoxes{{
    {5, Option::CloseToTray},
    {6, Option::StopPlayerOnExit},
    {0, Option::RestoreSize},
    {1, Option::PreloadNext},
    {2, Option::AutoPlayNext},
    {3, Option::RememberPosition},
    {7, Option::NoPlayerAppAtStart},
    {8, Option::TrayBalloons},
    {9, Option::AutoSkipOpening},
    {10, Option::AutoSkipCredits},
}};

constexpr std::array<const char*, 3> kTabHeaders{"关于软件", "软件设置", "缓存设置"};

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

SettingsDialog::SettingsDialog(Parts parts)
    : view_(parts.view), dialogs_(parts.dialogs), settings_(parts.settings), options_(parts.settings),
      programFolder_(std::move(parts.programFolder)) {
    view_.SetActions({[this](int index) { ShowTab(index); }, [this] { Browse(); }, [this] { Ok(); },
                      [this] { Cancel(); }, [this] { Apply(); }});
}

std::string SettingsDialog::DefaultDownloadFolder() const {
    return JoinPath(programFolder_, "downloads") + "/";
}

void SettingsDialog::Open() {
    // Already open, it shows as it is: the boxes changed and not applied stay.
    if (!view_.IsOpen()) Load();
    view_.Show();
}

void SettingsDialog::Load() {
    SettingsFile& settings = settings_;
    ShowTab(0);
    // A stored 1 shows the box unchecked, anything else checked.
    for (const OptionBox& box : kOptionBoxes)
        view_.SetChecked(box.index, options_.ShowsChecked(box.option));
    playerFolder_ = settings.Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (playerFolder_ == "0") playerFolder_.clear();
    playerConfigText_.clear();
    loadedFolder_.clear();
    if (!playerFolder_.empty()) {
        if (const auto lines = ReadTextFileLines(playerFolder_ + kPlayerConfigFile)) {
            for (const auto& line : *lines) playerConfigText_ += line + "\r\n";
            loadedFolder_ = TextBetween(playerConfigText_, "Defaultsavepath=\"", "\"", BetweenMode::InsideMarkers);
        }
    }
    view_.SetFolderText(loadedFolder_.empty() ? DefaultDownloadFolder() : loadedFolder_);
}

void SettingsDialog::ShowTab(int index) {
    if (index < 0 || index > 2) return;
    view_.ShowTab(index, kTabHeaders[static_cast<size_t>(index)]);
}

void SettingsDialog::Browse() {
    std::string folder = dialogs_.ChooseFolder(view_.FolderText(), kBrowseTitle);
    if (folder.empty() && !loadedFolder_.empty()) folder = loadedFolder_;
    // Cancelled with no folder loaded: the box keeps what it shows (never "/",
    // where "删除下载" would then look for files).
    if (folder.empty()) return;
    view_.SetFolderText(WithTrailingSlash(folder));
}

void SettingsDialog::Apply() {
    for (const OptionBox& box : kOptionBoxes) options_.Set(box.option, view_.IsChecked(box.index));
    std::string folder = view_.FolderText();
    if (folder == loadedFolder_) return;
    const bool changed = ChangeDownloadFolder(folder);
    dialogs_.ShowNotice(changed ? kFolderChangedNotice : kFolderNotChangedNotice, std::string(kProductName.firstRunValue));
}

bool SettingsDialog::ChangeDownloadFolder(std::string folder) {
    if (!IsAbsolutePath(folder)) folder = DefaultDownloadFolder();
    folder = WithTrailingSlash(folder);
    view_.SetFolderText(folder);
    if (playerFolder_.empty()) playerFolder_ = EnsureOwnPlayerFolder(programFolder_);
    const bool folderReady = MakeFolders(folder) && IsWritableFolder(folder);
    const std::string text = ReplaceSavePath(playerConfigText_, loadedFolder_, folder) + "\r\n";
    if (!folderReady || !WriteTextFile(playerFolder_ + kPlayerConfigFile, text)) return false;
    playerConfigText_ = text;
    loadedFolder_ = folder;
    return true;
}

void SettingsDialog::Ok() {
    Apply();
    view_.Close();
}

void SettingsDialog::Cancel() { view_.Close(); }

}  // namespace ruvo
