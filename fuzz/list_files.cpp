// The two list files as any content: reading them and rendering their pages
// never crash, and each page is a whole file afterwards. The edits on such
// lists have a target of their own (list_edits): they replace ten files an
// input, which would slow this one down two to three times.
#include "FuzzSupport.h"
#include "config/FileSystem.h"
#include "history/HistoryLists.h"
#include "history/HistoryPages.h"
#include "history/HistoryRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ruvo;
    const std::string_view bytes = fuzz::TextOf(data, size);
    for (const std::string_view list : {kWatchListFile, kLocalListFile}) {
        fuzz::WriteScratchFile(list, bytes);
        HistoryLists(fuzz::ScratchFolder()).RenderHistoryPages(list);
        const auto page = ReadWholeFile(fuzz::ScratchFile(PageFileOf(list)));
        fuzz::Require(page && page->ends_with("</html>\r\n\r\n"));
    }
    return 0;
}
