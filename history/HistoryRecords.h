#pragma once
// The two list files: the watch history "date.dat" and the local-file list
// "date_f.dat". One record a line, fields joined by "|", newest first.
#include <string>
#include <string_view>

namespace ruvo {

inline constexpr std::string_view kWatchListFile = "date.dat";
inline constexpr std::string_view kLocalListFile = "date_f.dat";

// Lines an add keeps from the old file; with the new one a list holds 101.
inline constexpr int kKeptLinesOnAdd = 100;

// One line of "date.dat"; the id is the key.
struct HistoryRecord {
    int id = 0;
    std::string title;    // plain text
    std::string episode;  // plain text
    std::string kind;     // "qvod": the player control; else a page-player kind
    std::string address;  // still in escaped form, as the link carried it
    int sourceIndex = 0;  // "v" of the episode request
    int episodeIndex = 0; // "v1" of the episode request
    int position = 0;     // resume position in seconds
};

// One line of "date_f.dat"; the path is the key (exact, case-sensitive).
struct LocalFileRecord {
    std::string name;
    std::string path;
    int position = 0;
};

// What the program keeps of a name or label a portal sends, and of an
// address: a name of 600,000 characters made a 59 MB list, pages of hundreds
// of megabytes and a title line that froze the window.
inline constexpr size_t kMostNameCharacters = 200;
inline constexpr size_t kMostAddressBytes = 8 * 1024;

// A name or label as a link carries it (escaped), as the program shows and
// stores it: unescaped, at most kMostNameCharacters long.
std::string UnescapedName(std::string_view escaped);

// The line a record is stored as. "|" and line breaks inside a field would
// split the record, so they are replaced by "｜" and a blank.
std::string RecordLine(const HistoryRecord& record);
std::string RecordLine(const LocalFileRecord& record);

// True for "date.dat" (the watch history), false for any other list name.
bool IsWatchList(std::string_view listName);

}  // namespace ruvo
