#include "history/HistoryActions.h"

#include "shell/FrameMouse.h"

#include <algorithm>
#include <cstdlib>

#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"

#include "base/JsEscape.h"
#include "base/PathText.h"
#include "base/SplitText.h"
#include "base/Utf16.h"
#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "history/HistoryRecords.h"
#include "playback/PlayerFolder.h"
#include "portal/LinkText.h"
#include "portal/MainWindow.h"
#include "shell/FrameMouse.h"
#include "shell/TitleButtons.h"

namespace ruvo {
namespace {

std::u32string CodePoints(std::string_view text) {
    std::u32string out;
    for (size_t pos = 0; pos < text.size();) out += NextCodePoint(text, pos);
    return out;
}

std::string RemoveAll(std::string text, std::string_view part) {
    for (size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
    return text;
}

// The downloaded file's name a play address carries: "qvod://size|hash|name.ext|".
std::string DownloadNameOf(const std::string& address) {
    if (address.find('|') == std::string::npos) return {};
    return StripExtension(JsUnescape(FieldAt(SplitText(address, "|"), 2)));
}

}  // namespace

size_t CompareLength(std::u32string_view name) {
    const size_t half = name.size() / 2 + ((name.size() % 2 == 1 && (name.size() / 2) % 2 == 1) ? 1 : 0);
    return half >= 3 ? half : name.size();
}

std::vector<std::string> NamesWithPrefix(const std::vector<std::string>& names, std::string_view prefix) {
    const std::u32string wanted = CodePoints(prefix);
    std::vector<std::string> matching;
    for (const auto& name : names)
        if (CodePoints(name).starts_with(wanted)) matching.push_back(name);
    return matching;
}

void HistoryActions::RowRightClicked(const std::string& link) {
    if (!Contains(link, "open://")) return;
    window_.State().historyRowLink = link;
    window_.Menus().PopUp(MenuName::HistoryRow);
}

void HistoryActions::PlaySelectedRow() {
    const std::string& link = window_.State().historyRowLink;
    if (Contains(link, "//")) window_.PaneOf(Pane::Web3).Navigate(link);
}

void HistoryActions::DeleteSelectedRow() {
    const std::string& link = window_.State().historyRowLink;
    if (Contains(link, "//")) window_.PaneOf(Pane::Web3).Navigate("delk://" + RemoveAll(link, "open://"));
}

void HistoryActions::DeleteSelectedRowAndDownloads() {
    const std::string& link = window_.State().historyRowLink;
    if (!Contains(link, "//")) return;
    std::string number = RemoveAll(RemoveAll(link, "open://"), "delk://");
    if (!number.empty() && number.back() == '/') number.pop_back();
    const auto lines = ReadTextFileLines(JoinPath(window_.ProgramFolder(), kWatchListFile));
    const size_t lineNumber = std::strtoul(number.c_str(), nullptr, 10);
    const std::string line =
        lines && lineNumber >= 1 && lineNumber <= lines->size() ? (*lines)[lineNumber - 1] : std::string();
    const std::string folder = DownloadFolder();
    const auto files = folder.empty() ? std::vector<std::string>{} : DownloadedFilesOf(line, folder);
    if (!files.empty()) {
        std::string question = "确定要删除 [" + folder + "] 下面的这些文件吗？\r\n\r\n";
        for (const auto& name : files) question += name + "\r\n";
        if (window_.MessageBoxes().AskYesNo(question, "提示：")) DeleteFiles(folder, files);
        else window_.DesktopShell().OpenFolder(folder);
    }
    window_.PaneOf(Pane::Web3).Navigate("delk://" + number);
}

std::vector<std::string> HistoryActions::DownloadedFilesOf(const std::string& line, const std::string& folder) {
    const std::string address = JsUnescape(FieldAt(SplitText(line, "|"), 4));
    const std::string name = DownloadNameOf(address);
    const std::u32string points = CodePoints(name);
    std::vector<std::string> files;
    const auto names = ListFolderFiles(folder);
    if (!points.empty()) {
        std::string prefix;
        for (size_t i = 0; i < CompareLength(points); ++i) AppendCodePoint(prefix, points[i]);
        files = NamesWithPrefix(names, prefix);
    }
    // This program's own download of the address counts too.
    if (!address.empty()) {
        const std::string own = DownloadFileName(address);
        for (const auto& present : names)
            if (present == own && std::find(files.begin(), files.end(), own) == files.end()) files.push_back(own);
    }
    return files;
}

void HistoryActions::DeleteFiles(const std::string& folder, const std::vector<std::string>& names) {
    bool failed = false;
    for (const auto& name : names) {
        // Only plain names from the folder's own listing: nothing outside it.
        if (name.find('/') != std::string::npos || name == "." || name == "..") continue;
        const std::string path = JoinPath(folder, name);
        if (!PathExists(path)) continue;
        RemoveFile(path);
        if (PathExists(path)) failed = true;
    }
    if (failed) window_.ShowTrayTip(kFilesInUseTip);
}

std::string HistoryActions::DownloadFolder() {
    MainWindowState& s = window_.State();
    if (s.playerFolder.empty()) s.playerFolder = window_.StoredSettings().Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (!PathExists(s.playerFolder + kPlayerConfigFile)) return {};
    return ReadQvodSavePath(s.playerFolder);
}

void HistoryActions::ClearWatchHistory() {
    if (Contains(window_.Controls().Text({ControlName::ListAction}), "列表")) return;
    ClearList(kWatchListFile, kClearWatchListQuestion);
}

void HistoryActions::ListActionClicked() {
    window_.Surface().SetTextColor({ControlName::ListAction}, kListLabelColor);  // the hover colour goes first
    if (Contains(window_.Controls().Text({ControlName::ListAction}), "列表")) ClearList(kLocalListFile, kClearLocalListQuestion);
    else window_.Menus().PopUp(MenuName::TaskList);
}

void HistoryActions::ClearList(std::string_view listName, const char* question) {
    if (!window_.MessageBoxes().AskYesNo(question, "提示：")) return;
    window_.Lists().ClearList(listName);
}

void HistoryActions::ShowDownloadFolder() {
    std::string folder = DownloadFolder();
    if (folder.empty()) folder = JoinPath(window_.ProgramFolder(), "downloads") + "/";
    if (!PathExists(folder) || ListFolderFiles(folder).empty()) return;
    TitleButtons& title = window_.Title();
    if (title.IsTopMost()) title.ToggleTopMost();
    window_.DesktopShell().OpenFolder(folder);
}

}  // namespace ruvo
