#include "history/HistoryRecords.h"

#include "base/Utf8Cut.h"

namespace ruvo {
namespace {

// What a record keeps of what a portal sends: a name or label of 600,000
// characters made a 59 MB list and pages of hundreds of megabytes.
constexpr size_t kMostNameCharacters = 200;
constexpr size_t kMostAddressBytes = 8 * 1024;

std::string Name(std::string_view text) { return CutToCharacters(text, kMostNameCharacters); }
std::string Address(std::string_view text) { return CutToBytes(text, kMostAddressBytes); }

std::string Field(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        if (c == '|') clean += "｜";
        else if (c == '\r' || c == '\n') clean += ' ';
        else clean += c;
    }
    return clean;
}

}  // namespace

std::string RecordLine(const HistoryRecord& r) {
    return std::to_string(r.id) + "|" + Field(Name(r.title)) + "|" + Field(Name(r.episode)) + "|" + Field(Name(r.kind)) +
           "|" + Field(Address(r.address)) + "|" + std::to_string(r.sourceIndex) + "|" + std::to_string(r.episodeIndex) + "|" +
           std::to_string(r.position);
}

std::string RecordLine(const LocalFileRecord& r) {
    return Field(Name(r.name)) + "|" + Field(Address(r.path)) + "|" + std::to_string(r.position);
}

bool IsWatchList(std::string_view listName) { return listName == kWatchListFile; }

}  // namespace ruvo
