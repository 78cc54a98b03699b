#include "history/HistoryActions.h"

#include <algorithm>
#include <cstdlib>

#include "base/JsEscape.h"
#include "base/LinkText.h"
#include "base/PathText.h"
#include "base/SplitText.h"
#include "base/Utf16.h"
#include "config/FileSystem.h"
#include "config/PlayerFolder.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "config/TextFile.h"
#include "history/HistoryLists.h"
#include "history/HistoryRecords.h"

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
    rowLink_ = link;
    parts_.menus.PopUp(MenuName::HistoryRow);
}

void HistoryActions::PlaySelectedRow() {
    const std::string& link = rowLink_;
    if (Contains(link, "//")) parts_.watchListPane.Navigate(link);
}

void HistoryActions::DeleteSelectedRow() {
    const std::string& link = rowLink_;
    if (Contains(link, "//")) parts_.watchListPane.Navigate("delk://" + RemoveAll(link, "open://"));
}

void HistoryActions::DeleteSelectedRowAndDownloads() {
    const std::string& link = rowLink_;
    if (!Contains(link, "//")) return;
    std::string number = RemoveAll(RemoveAll(link, "open://"), "delk://");
    if (!number.empty() && number.back() == '/') number.pop_back();
    const auto lines = ReadTextFileLines(JoinPath(parts_.programFolder, kWatchListFile));
    const size_t lineNumber = std::strtoul(number.c_str(), nullptr, 10);
    const std::string line =
        lines && lineNumber >= 1 && lineNumber <= lines->size() ? (*lines)[lineNumber - 1] : std::string();
    const std::string folder = DownloadFolder();
    const auto files = folder.empty() ? std::vector<std::string>{} : DownloadedFilesOf(line, folder);
    if (!files.empty()) {
        std::string question = "确定要删除 [" + folder + "] 下面的这些文件吗？\r\n\r\n";
        for (const auto& name : files) question += name + "\r\n";
        if (parts_.dialogs.AskYesNo(question, "提示：")) DeleteFiles(folder, files);
        else parts_.shell.OpenFolder(folder);
    }
    parts_.watchListPane.Navigate("delk://" + number);
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
    if (failed) parts_.showTrayTip(kFilesInUseTip);
}

std::string HistoryActions::DownloadFolder() {
    std::string& folder = parts_.playerFolder;
    if (folder.empty()) folder = parts_.settings.Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (!PathExists(folder + kPlayerConfigFile)) return {};
    return ReadQvodSavePath(folder);
}

void HistoryActions::ClearWatchHistory() {
    if (parts_.localListLast()) return;
    ClearList(kWatchListFile, kClearWatchListQuestion);
}

void HistoryActions::ListActionClicked() {
    parts_.surface.SetTextColor({ControlName::ListAction}, kListLabelColor);  // the hover colour goes first
    if (parts_.localListLast()) ClearList(kLocalListFile, kClearLocalListQuestion);
    else parts_.menus.PopUp(MenuName::TaskList);
}

void HistoryActions::ClearList(std::string_view listName, const char* question) {
    if (!parts_.dialogs.AskYesNo(question, "提示：")) return;
    parts_.lists.ClearList(listName);
}

void HistoryActions::ShowDownloadFolder() {
    std::string folder = DownloadFolder();
    if (folder.empty()) folder = JoinPath(parts_.programFolder, "downloads") + "/";
    if (!PathExists(folder) || ListFolderFiles(folder).empty()) return;
    if (parts_.leaveTopMost) parts_.leaveTopMost();
    parts_.shell.OpenFolder(folder);
}

}  // namespace ruvo
