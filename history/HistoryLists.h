#pragma once
// The operations that change the two list files. Each reads its file afresh,
// rewrites it whole (atomically: a crash leaves the old or the new list, never
// half of one) and, where the list's rows change, renders its page again.
// Nothing is shown to the user; a file that cannot be read ends the operation
// with file and page as they were.
#include <functional>
#include <string>
#include <string_view>

#include "history/HistoryRecords.h"

namespace ruvo {

class HistoryLists {
public:
    // Called after a page was written, so its pane can load it again.
    using PageWritten = std::function<void(std::string_view listName, const std::string& pagePath)>;

    explicit HistoryLists(std::string folder);

    void SetPageWritten(PageWritten onPageWritten) { onPageWritten_ = std::move(onPageWritten); }
    const std::string& Folder() const { return folder_; }

    // Puts the record on line 1, dropping an older record with the same id
    // and keeping at most the first 100 lines of the old file.
    void AddHistoryRecord(const HistoryRecord& record);
    // The same for a local file, keyed by its exact path.
    void AddLocalFileRecord(const LocalFileRecord& record);

    // Store the resume position in every record with that key; lines that
    // are not records disappear, the order stays, the page is not rendered.
    void SaveHistoryPosition(int id, int position);
    void SaveLocalFilePosition(const std::string& path, int position);

    // Removes physical line `lineNumber` (1-based) of the list and renders it.
    void RemoveListLine(std::string_view listName, int lineNumber);

    // Rewrites the list as one empty line and renders it; a list file that
    // does not exist stays missing.
    void ClearList(std::string_view listName);

    // Writes the list's page and tells the page's pane to load it.
    void RenderHistoryPages(std::string_view listName);

private:
    template <typename Record, typename SameKey>
    void AddRecord(std::string_view listName, const Record& record, SameKey sameKey);
    template <typename Rebuild>
    void SavePosition(std::string_view listName, Rebuild rebuild);
    std::string PathOf(std::string_view listName) const;

    std::string folder_;
    PageWritten onPageWritten_;
};

}  // namespace ruvo
