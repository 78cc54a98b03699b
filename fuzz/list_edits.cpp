// The edits on list files of any content: storing a position, removing a
// line and adding a record (each rewriting the list and its page) never
// crash, and the list is a whole file afterwards.
#include "FuzzSupport.h"
#include "config/TextFile.h"
#include "history/HistoryLists.h"
#include "history/HistoryRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ruvo;
    const std::string_view bytes = fuzz::TextOf(data, size);
    fuzz::WriteScratchFile(kWatchListFile, bytes);
    fuzz::WriteScratchFile(kLocalListFile, bytes);
    HistoryLists lists(fuzz::ScratchFolder());
    lists.RenderHistoryPages(kWatchListFile);
    lists.RenderHistoryPages(kLocalListFile);
    lists.SaveHistoryPosition(3, 120);
    lists.SaveLocalFilePosition("/m/a.mp4", 42);
    lists.RemoveListLine(kWatchListFile, 2);
    lists.AddHistoryRecord(HistoryRecord{7, "星河漫游记", "第1集", "qvod", "http%3A//h/a.mp4", 0, 1, 0});
    lists.AddLocalFileRecord(LocalFileRecord{"a.mp4", "/m/a.mp4", 0});
    fuzz::Require(ReadTextFileLines(fuzz::ScratchFile(kWatchListFile)).has_value());
    return 0;
}
