#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "fakes/TempFolder.h"
#include "history/HistoryPages.h"

namespace ruvo {
namespace {

std::string Between(const std::string& page, const std::string& from, const std::string& to) {
    const size_t start = page.find(from);
    return page.substr(start, page.find(to, start) - start);
}

TEST(HistoryPages, EmptyListShowsNoRecordRow) {
    const std::string page = BuildHistoryPage({""}, true);
    EXPECT_NE(page.find(R"(<table id="v1" width="99%" cellpadding="0" cellspacing="0" border="0">)"
                        "<tr><td colspan=2 align=center>暂无记录</td></tr></table>"),
              std::string::npos);
    EXPECT_EQ(page.substr(0, 58), "<html><head><meta charset=\"gbk\"><title></title><style type");
    EXPECT_NE(page.find("</div><script type=\"text/javascript\">\r\nvar obj=document.getElementById(\"v1\");\r\n"),
              std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 25), "</script></body></html>\r\n");
}

TEST(HistoryPages, RowCarriesLineNumberLinksAndNames) {
    const std::string page = BuildHistoryPage({"", "12|海贼王|第1集|qvod|a|0|0|0", "x"}, true);
    EXPECT_NE(page.find("<tr><td align=left width=95%><a title=\"海贼王\" href=open://2><font color=#9C9C81> 2</font> "
                        "海贼王</a></td><td width=4% style='display:none'><a href=delk://2><img src=\"i.gif\" "
                        "alt=\"删除\"></a></td><td>&nbsp;</td></tr></table>"),
              std::string::npos);
}

TEST(HistoryPages, LocalListShowsTheNameFieldUnescapedAndCut) {
    const std::string page = BuildHistoryPage({"%u4E00%u4E8C%u4E09%u56DB%u4E94%u516D%u4E03%u516B%u4E5D%u5341%u4E00%u4E8C%u4E09|/p|0"}, false);
    EXPECT_NE(page.find("title=\"一二三四五六七八九十一二三\""), std::string::npos);
    EXPECT_NE(page.find("</font> 一二三四五六七八九十一二</a>"), std::string::npos);
    EXPECT_NE(BuildHistoryPage({"%41bc|/p|0"}, false).find("</font> Abc</a>"), std::string::npos);
}

TEST(HistoryPages, RecordsWithoutDisplayNameTakeALineButNoRow) {
    const std::string page = BuildHistoryPage({"1||e|q|a|0|0|0", "2|B|e|q|a|0|0|0"}, true);
    EXPECT_EQ(page.find("open://1"), std::string::npos);
    EXPECT_NE(page.find("open://2"), std::string::npos);
}

TEST(HistoryPages, AnOverlongListShowsTheRecordsAListKeeps) {
    // Blank lines count for the numbers, not for the rows shown.
    std::vector<std::string> lines{"", "no record"};
    for (int i = 0; i < 5000; ++i) lines.push_back(std::to_string(i) + "|t" + std::to_string(i) + "|e|qvod|a|0|0|0");
    const std::string page = BuildHistoryPage(lines, true);
    EXPECT_NE(page.find("href=open://3>"), std::string::npos);
    EXPECT_NE(page.find("href=open://103>"), std::string::npos);  // the 101st record
    EXPECT_EQ(page.find("href=open://104>"), std::string::npos);
    EXPECT_LT(page.size(), 40000u);
}

TEST(HistoryPages, TitlesCannotInjectMarkup) {
    const std::string page = BuildHistoryPage({"1|a b\"><script>alert(1)</script>&<vod>|e|q|a|0|0|0"}, true);
    const std::string row = Between(page, "<tr>", "</tr>");
    EXPECT_EQ(row.find("<script>"), std::string::npos);
    EXPECT_NE(row.find("title=\"a b&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;&lt;vod&gt;\""),
              std::string::npos);
}

TEST(HistoryPages, WritesGb18030PageBesideTheList) {
    test::TempFolder folder;
    folder.Write("date_f.dat", EncodeGb18030("影片.mkv|/v/影片.mkv|0\r\n"));
    const auto page = WriteHistoryPage(folder.Path(), "date_f.dat");
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, folder.File("f.htm"));
    const std::string bytes = folder.Read("f.htm");
    EXPECT_NE(bytes.find(EncodeGb18030("影片.mkv")), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
    EXPECT_FALSE(WriteHistoryPage(folder.Path(), "date.dat"));  // no list: no page
    EXPECT_FALSE(PathExists(folder.File("c.htm")));
}

}  // namespace
}  // namespace ruvo
