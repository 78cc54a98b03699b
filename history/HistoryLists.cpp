#include "history/HistoryLists.h"

#include <optional>
#include <vector>

#include "base/NumberText.h"
#include "base/SplitText.h"
#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "history/HistoryPages.h"

namespace ruvo {
namespace {

std::vector<std::string> SplitFields(const std::string& line) { return SplitText(line, "|"); }

bool IsRecordLine(const std::string& line) { return line.find('|') != std::string::npos; }

// Lines joined with CR LF after each, the final CR LF removed.
std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    if (!text.empty()) text.resize(text.size() - 2);
    return text;
}

}  // namespace

HistoryLists::HistoryLists(std::string folder) : folder_(std::move(folder)) {}

std::string HistoryLists::PathOf(std::string_view listName) const { return JoinPath(folder_, listName); }

template <typename Record, typename SameKey>
void HistoryLists::AddRecord(std::string_view listName, const Record& record, SameKey sameKey) {
    const auto old = ReadTextFileLines(PathOf(listName));
    if (!old) return;
    std::vector<std::string> kept;
    for (size_t i = 0; i < old->size() && i < static_cast<size_t>(kKeptLinesOnAdd); ++i) {
        const std::string& line = (*old)[i];
        if (IsRecordLine(line) && !sameKey(SplitFields(line))) kept.push_back(line);
    }
    WriteTextFile(PathOf(listName), RecordLine(record) + "\r\n" + JoinLines(kept) + "\r\n");
    RenderHistoryPages(listName);
}

void HistoryLists::AddHistoryRecord(const HistoryRecord& record) {
    AddRecord(kWatchListFile, record, [&](const std::vector<std::string>& fields) {
        return TextToInt(fields[0]) == record.id;
    });
}

void HistoryLists::AddLocalFileRecord(const LocalFileRecord& record) {
    const std::string key = SplitFields(RecordLine(record))[1];  // the path as stored
    AddRecord(kLocalListFile, record, [&](const std::vector<std::string>& fields) {
        return FieldAt(fields, 1) == key;
    });
}

template <typename Rebuild>
void HistoryLists::SavePosition(std::string_view listName, Rebuild rebuild) {
    const auto old = ReadTextFileLines(PathOf(listName));
    if (!old) return;
    std::vector<std::string> lines;
    for (const auto& line : *old) {
        if (!IsRecordLine(line)) continue;
        const std::optional<std::string> rebuilt = rebuild(SplitFields(line));
        lines.push_back(rebuilt ? *rebuilt : line);
    }
    WriteTextFile(PathOf(listName), JoinLines(lines) + "\r\n");
}

void HistoryLists::SaveHistoryPosition(int id, int position) {
    SavePosition(kWatchListFile, [&](const std::vector<std::string>& f) -> std::optional<std::string> {
        if (TextToInt(f[0]) != id) return std::nullopt;
        std::string line;
        for (size_t i = 0; i < 7; ++i) line += FieldAt(f, i) + "|";
        return line + std::to_string(position);
    });
}

void HistoryLists::SaveLocalFilePosition(const std::string& path, int position) {
    const std::string key = SplitFields(RecordLine(LocalFileRecord{"", path, 0}))[1];
    SavePosition(kLocalListFile, [&](const std::vector<std::string>& f) -> std::optional<std::string> {
        if (FieldAt(f, 1) != key) return std::nullopt;
        return f[0] + "|" + key + "|" + std::to_string(position);
    });
}

void HistoryLists::RemoveListLine(std::string_view listName, int lineNumber) {
    const auto old = ReadTextFileLines(PathOf(listName));
    if (!old) return;
    std::vector<std::string> kept;
    for (size_t i = 0; i < old->size(); ++i)
        if (static_cast<long>(i) + 1 != lineNumber) kept.push_back((*old)[i]);
    std::string text;
    for (const auto& line : kept) text += line + "\r\n";
    for (int twice = 0; twice < 2; ++twice)
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    WriteTextFile(PathOf(listName), text + "\r\n");
    RenderHistoryPages(listName);
}

void HistoryLists::ClearList(std::string_view listName) {
    if (!PathExists(PathOf(listName))) return;
    WriteTextFile(PathOf(listName), "\r\n");
    RenderHistoryPages(listName);
}

void HistoryLists::RenderHistoryPages(std::string_view listName) {
    const std::string name = IsWatchList(listName) ? std::string(kWatchListFile) : std::string(kLocalListFile);
    const auto page = WriteHistoryPage(folder_, name);
    if (page && onPageWritten_) onPageWritten_(name, *page);
}

}  // namespace ruvo
