#pragma once
// The lists as local pages: "c.htm" from "date.dat" (shown in the history list) and
// "f.htm" from "date_f.dat" (the local list). Each row links to "open://N"
// and, on hover, to "delk://N", N being the record's physical line number.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

inline constexpr std::string_view kWatchPageFile = "c.htm";
inline constexpr std::string_view kLocalPageFile = "f.htm";
inline constexpr std::string_view kDeleteIconFile = "i.gif";
inline constexpr int kRowNameWidth = 25;

// The page file a list renders to: "c.htm" for "date.dat", else "f.htm".
std::string_view PageFileOf(std::string_view listName);

// The whole page text for the lines of a list file (without the final CR LF
// that the file adds). Display names are escaped for HTML, so any title shows
// as written and injects nothing.
std::string BuildHistoryPage(const std::vector<std::string>& lines, bool watchList);

// Reads the list from `folder` and writes its page there. Returns the page's
// path, or nothing when the list could not be read (the page stays as it was).
std::optional<std::string> WriteHistoryPage(const std::string& folder, std::string_view listName);

// Puts the small delete icon next to the pages when it is missing.
void EnsureDeleteIcon(const std::string& folder);

}  // namespace ruvo
