#include "history/HistoryRecords.h"

namespace ruvo {
namespace {

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
    return std::to_string(r.id) + "|" + Field(r.title) + "|" + Field(r.episode) + "|" + Field(r.kind) + "|" +
           Field(r.address) + "|" + std::to_string(r.sourceIndex) + "|" + std::to_string(r.episodeIndex) + "|" +
           std::to_string(r.position);
}

std::string RecordLine(const LocalFileRecord& r) {
    return Field(r.name) + "|" + Field(r.path) + "|" + std::to_string(r.position);
}

bool IsWatchList(std::string_view listName) { return listName == kWatchListFile; }

}  // namespace ruvo
