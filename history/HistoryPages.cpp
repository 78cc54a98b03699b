#include "history/HistoryPages.h"

#include "base/HtmlText.h"
#include "base/SplitText.h"
#include "base/TextCodec.h"
#include "base/TextWidth.h"
#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "history/HistoryRecords.h"

namespace ruvo {
namespace {

// The page declares its code page: a Linux web engine does not take the
// system's legacy code page for a page without one, as the Windows one did.
constexpr std::string_view kTemplate =
    R"(<html><head><meta charset="gbk"><title></title><style type="text/css">*{margin:0;padding:0;border:0px;}body{overflow:auto;background:#212121;}html{scrollbar-face-color:#2A2929;scrollbar-highlight-color:#353434;scrollbar-shadow-color:#000000;scrollbar-3dlight-color:#000000;scrollbar-arrow-color:#515151;scrollbar-track-color:#1F1D1C;scrollbar-darkshadow-color:#201F1E;}a:link,a:visited,a:active,a:hover{color:#ffffff;text-decoration:none;display:block}td{padding-left:3px;height:22px;line-height:22px;font-size:12px;border-bottom:1px solid #161616;color:#9C9C81;}td img{width:11px;height:11px;margin-top:6px;}</style></head><body oncontextmenu="return false" ondragstart="return false"><table id="v1" width="99%" cellpadding="0" cellspacing="0" border="0"><vod></table><div style='dispaly:none' id='vd'></div>)";

// The hover script: the row turns brown and swaps its spacer for the delete icon.
constexpr std::string_view kScriptLines[] = {
    R"(<script type="text/javascript">)",
    R"(var obj=document.getElementById("v1");)",
    R"(var obj1=document.getElementById("vd");)",
    R"(for(var i=0;i<obj.rows.length;i++){)",
    R"(obj.rows[i].onmouseover=function(){obj1.style.background=this.style.backgroundColor;this.style.background='#312D26';this.cells[1].style.display ='block';this.cells[2].style.display = 'none';})",
    R"(obj.rows[i].onmouseout=function(){this.style.background=obj1.style.background;this.cells[1].style.display = 'none';this.cells[2].style.display = 'block';}})",
    R"(</script></body></html>)",
};

constexpr std::string_view kRowMarker = "<vod>";
constexpr std::string_view kEmptyRow = "<tr><td colspan=2 align=center>暂无记录</td></tr>";

// An 11 x 11 dark "x" in GIF form.
constexpr std::string_view kDeleteIcon{"\x47\x49\x46\x38\x39\x61\x0B\x00\x0B\x00\x80\x00\x00\x21\x21\x21\xE0\x55\x45\x2C\x00\x00\x00\x00\x0B\x00\x0B\x00\x00\x02\x45\x04\x08\x10\x20\x40\x80\x00\x03\x02\x04\x08\x30\x20\xC0\x80\x00\x01\x06\x04\x08\x30\x20\xC0\x80\x00\x01\x02\x0C\x18\x10\x20\x40\x80\x00\x03\x02\x04\x08\x10\x60\xC0\x80\x00\x01\x02\x0C\x08\x30\x20\x40\x80\x01\x01\x02\x0C\x08\x30\x20\x40\x80\x00\x03\x02\x04\x08\x10\x20\x40\x14\x00\x3B", 102};

std::string Row(int lineNumber, std::string_view full, std::string_view shortName) {
    const std::string n = std::to_string(lineNumber);
    return "<tr><td align=left width=95%><a title=\"" + EscapeHtml(full) + "\" href=open://" + n +
           "><font color=#9C9C81> " + n + "</font> " + EscapeHtml(shortName) +
           "</a></td><td width=4% style='display:none'><a href=delk://" + n +
           R"(><img src="i.gif" alt="删除"></a></td><td>&nbsp;</td></tr>)";
}

// The record's display field: the title for the watch history, else the name.
std::string DisplayField(const std::string& line, bool watchList) {
    return FieldAt(SplitText(line, "|"), watchList ? 1 : 0);
}

// A list keeps 101 records (an add keeps 100 lines). A damaged or foreign
// file with many more would make a page of hundreds of megabytes (11 bytes of
// page for each byte of a 10 MB list), so the page shows the first 101.
constexpr size_t kMostPageRows = kKeptLinesOnAdd + 1;

std::string Rows(const std::vector<std::string>& lines, bool watchList) {
    std::string rows;
    size_t shown = 0;
    for (size_t i = 0; i < lines.size() && shown < kMostPageRows; ++i) {
        if (lines[i].find('|') == std::string::npos) continue;
        // A damaged or foreign list may hold names of any length: a row shows what a record keeps.
        const std::string full = UnescapedName(DisplayField(lines[i], watchList));
        const std::string shortName = TruncateToWidth(full, kRowNameWidth);
        if (shortName.empty()) continue;
        rows += Row(static_cast<int>(i + 1), full, shortName);
        ++shown;
    }
    return rows.empty() ? std::string(kEmptyRow) : rows;
}

// What a page reads of a list: the first lines (a damaged list may hold
// millions), each cut to what a row can show (a line may be megabytes long),
// so a page is built in milliseconds whatever the list holds. Line ends are
// ASCII bytes that no GB18030 character contains: the raw bytes are split.
constexpr size_t kMostLinesLookedAt = kMostPageRows * 10;
constexpr size_t kMostRowBytes = 16 * 1024;

std::optional<std::vector<std::string>> ReadPageLines(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    std::vector<std::string> lines = SplitLines(*bytes, kMostLinesLookedAt);
    for (auto& line : lines) line = DecodeGb18030(std::string_view(line).substr(0, kMostRowBytes));
    return lines;
}

}  // namespace

std::string_view PageFileOf(std::string_view listName) {
    return IsWatchList(listName) ? kWatchPageFile : kLocalPageFile;
}

std::string BuildHistoryPage(const std::vector<std::string>& lines, bool watchList) {
    std::string page(kTemplate);
    for (const auto line : kScriptLines) {
        page += line;
        page += "\r\n";
    }
    const std::string rows = Rows(lines, watchList);
    std::string result;
    size_t from = 0;
    for (size_t at; (at = page.find(kRowMarker, from)) != std::string::npos; from = at + kRowMarker.size())
        result.append(page, from, at - from).append(rows);
    result.append(page, from);
    return result;
}

std::optional<std::string> WriteHistoryPage(const std::string& folder, std::string_view listName) {
    const auto lines = ReadPageLines(JoinPath(folder, listName));
    if (!lines) return std::nullopt;
    const std::string pagePath = JoinPath(folder, PageFileOf(listName));
    WriteTextFile(pagePath, BuildHistoryPage(*lines, IsWatchList(listName)) + "\r\n");
    return pagePath;
}

void EnsureDeleteIcon(const std::string& folder) {
    const std::string path = JoinPath(folder, kDeleteIconFile);
    if (!PathExists(path)) ReplaceFileAtomically(path, kDeleteIcon);
}

}  // namespace ruvo
