#include "history/HistoryRecords.h"

#include "base/BidiControls.h"
#include "base/JsEscape.h"
#include "base/Utf8Cut.h"

namespace ruvo {
namespace {

std::string Name(std::string_view text) { return CutToCharacters(ShownText(std::string(text)), kMostNameCharacters); }
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

std::string UnescapedName(std::string_view escaped) {
    // An escaped character takes at most 12 bytes ("%uD83D%uDE00"): more is never unescaped.
    return CutToCharacters(ShownText(JsUnescape(CutToBytes(escaped, kMostNameCharacters * 12))), kMostNameCharacters);
}

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
