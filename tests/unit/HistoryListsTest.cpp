#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "base/SplitText.h"
#include "config/TextFile.h"
#include "fakes/TempFolder.h"
#include "history/HistoryLists.h"

namespace ruvo {
namespace {

class HistoryListsTest : public testing::Test {
protected:
    test::TempFolder folder;
    HistoryLists lists{folder.Path()};
    std::vector<std::pair<std::string, std::string>> pagesWritten;

    void SetUp() override {
        folder.Write("date.dat", "\r\n");
        folder.Write("date_f.dat", "\r\n");
        lists.SetPageWritten([this](std::string_view list, const std::string& page) {
            pagesWritten.emplace_back(std::string(list), page);
        });
    }
    static HistoryRecord Title(int id, std::string name = "海贼王") {
        return {id, std::move(name), "第1集", "qvod", "http%3A//h/1.mp4", 0, 0, 0};
    }
    std::vector<std::string> Lines(std::string_view list) {
        return ReadTextFileLines(folder.File(list)).value_or(std::vector<std::string>{});
    }
};

TEST_F(HistoryListsTest, AddToFreshFileLeavesRecordAndOneEmptyLine) {
    lists.AddHistoryRecord(Title(12));
    EXPECT_EQ(folder.Read("date.dat"), "12|\xBA\xA3\xD4\xF4\xCD\xF5|\xB5\xDA" "1\xBC\xAF|qvod|http%3A//h/1.mp4|0|0|0\r\n\r\n");
    lists.AddHistoryRecord(Title(13));
    EXPECT_EQ(Lines("date.dat").size(), 2u);  // the empty line is dropped by the next add
    ASSERT_EQ(pagesWritten.size(), 2u);
    EXPECT_EQ(pagesWritten[0], std::make_pair(std::string("date.dat"), folder.File("c.htm")));
}

// A portal may send names and addresses of any length: a record keeps 200
// characters of a name or label and 8 KiB of an address, cut between
// characters, so the list and its page stay small.
TEST_F(HistoryListsTest, LongFieldsAreCutBetweenCharacters) {
    std::string name;
    for (int i = 0; i < 600000; ++i) name += "海";
    HistoryRecord record = Title(12, name);
    record.episode = name;
    record.address = std::string(1 << 20, 'a');
    for (int i = 0; i < 100; ++i) {
        record.id = i;
        lists.AddHistoryRecord(record);
    }
    const auto lines = Lines("date.dat");
    ASSERT_FALSE(lines.empty());
    const auto fields = SplitText(lines[0], "|");
    ASSERT_EQ(fields.size(), 8u);  // every field where it belongs
    std::string kept;
    for (int i = 0; i < 200; ++i) kept += "海";
    EXPECT_EQ(fields[1], kept);
    EXPECT_EQ(fields[2], kept);
    EXPECT_EQ(fields[4].size(), 8192u);
    EXPECT_LT(folder.Read("date.dat").size(), 100u * 10000);
    EXPECT_LT(folder.Read("c.htm").size(), 2u << 20);
}

// "%uDC81" alone is no character: it must not become a byte that swallows
// the next "|" in the GBK file and shifts every field after it.
TEST_F(HistoryListsTest, ALoneSurrogateNeverJoinsItsNeighbour) {
    lists.AddHistoryRecord(Title(12, JsUnescape("名字%uDC81")));
    lists.AddHistoryRecord(Title(13, JsUnescape("%uD83D")));
    for (const auto& line : Lines("date.dat")) {
        if (line.empty()) continue;
        const auto fields = SplitText(line, "|");
        ASSERT_EQ(fields.size(), 8u) << line;
        EXPECT_EQ(fields[3], "qvod");
    }
}

TEST_F(HistoryListsTest, SameIdReplacesTheOldRecordOnLineOne) {
    lists.AddHistoryRecord(Title(1));
    lists.AddHistoryRecord(Title(2));
    lists.SaveHistoryPosition(1, 300);
    HistoryRecord again = Title(1, "新名字");
    lists.AddHistoryRecord(again);
    const auto lines = Lines("date.dat");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1|新名字|第1集|qvod|http%3A//h/1.mp4|0|0|0");
    EXPECT_EQ(lines[1].substr(0, 2), "2|");
}

TEST_F(HistoryListsTest, AddKeepsOnlyTheFirstHundredOldLines) {
    std::string text;
    for (int id = 1000; id < 1150; ++id) text += std::to_string(id) + "|t|e|qvod|a|0|0|0\r\n";
    folder.Write("date.dat", text);
    lists.AddHistoryRecord(Title(5));
    const auto lines = Lines("date.dat");
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0].substr(0, 2), "5|");
    EXPECT_EQ(lines[100].substr(0, 5), "1099|");
}

TEST_F(HistoryListsTest, LocalFilesAreKeyedByExactPath) {
    lists.AddLocalFileRecord({"a.mkv", "/v/one/a.mkv", 0});
    lists.AddLocalFileRecord({"a.mkv", "/v/two/a.mkv", 0});
    lists.AddLocalFileRecord({"A.mkv", "/v/one/A.mkv", 0});
    lists.AddLocalFileRecord({"a.mkv", "/v/one/a.mkv", 0});
    EXPECT_EQ(Lines("date_f.dat"),
              (std::vector<std::string>{"a.mkv|/v/one/a.mkv|0", "A.mkv|/v/one/A.mkv|0", "a.mkv|/v/two/a.mkv|0"}));
}

TEST_F(HistoryListsTest, SavePositionChangesOnlyTheLastFieldAndDropsNonRecords) {
    folder.Write("date.dat", "\r\n7|t|e|k|a%20b|3|4|0\r\nx\r\n8|u|f|k|c|0|0|9\r\n");
    lists.SaveHistoryPosition(7, 1234);
    EXPECT_EQ(folder.Read("date.dat"), "7|t|e|k|a%20b|3|4|1234\r\n8|u|f|k|c|0|0|9\r\n");
    EXPECT_TRUE(pagesWritten.empty());
    lists.SaveHistoryPosition(99, 1);  // not listed: content unchanged
    EXPECT_EQ(folder.Read("date.dat"), "7|t|e|k|a%20b|3|4|1234\r\n8|u|f|k|c|0|0|9\r\n");
    lists.AddLocalFileRecord({"b.mp4", "/m/b.mp4", 0});
    lists.SaveLocalFilePosition("/m/b.mp4", 61);
    EXPECT_EQ(Lines("date_f.dat")[0], "b.mp4|/m/b.mp4|61");
}

TEST_F(HistoryListsTest, RemoveCountsPhysicalLines) {
    folder.Write("date.dat", "A|1\r\nB|2\r\n\r\n");
    lists.RemoveListLine("date.dat", 1);
    EXPECT_EQ(folder.Read("date.dat"), "B|2\r\n");
    lists.RemoveListLine("date.dat", 9);  // past the end: rewritten and rendered all the same
    EXPECT_EQ(folder.Read("date.dat"), "B|2\r\n");
    EXPECT_EQ(pagesWritten.size(), 2u);
}

TEST_F(HistoryListsTest, FieldsNeverSplitARecord) {
    lists.AddHistoryRecord(Title(3, "A|B\r\nC"));
    EXPECT_EQ(Lines("date.dat")[0], "3|A｜B  C|第1集|qvod|http%3A//h/1.mp4|0|0|0");
}

TEST_F(HistoryListsTest, MissingListChangesNothing) {
    std::remove(folder.File("date.dat").c_str());
    lists.AddHistoryRecord(Title(1));
    lists.RemoveListLine("date.dat", 1);
    EXPECT_FALSE(PathExists(folder.File("date.dat")));
    EXPECT_TRUE(pagesWritten.empty());
}

TEST_F(HistoryListsTest, DamagedLinesSurviveOperationsOnOthers) {
    const std::string damaged = "9|\xFF\x81|e|qvod|a|0|0|0";
    const std::string huge = "8|" + std::string(1 << 20, 'x') + "|e|qvod|a|0|0|0";
    folder.Write("date.dat", damaged + "\r\n" + huge + "\r\n");
    lists.AddHistoryRecord(Title(1));
    lists.SaveHistoryPosition(1, 5);
    EXPECT_EQ(folder.Read("date.dat"), "1|\xBA\xA3\xD4\xF4\xCD\xF5|\xB5\xDA" "1\xBC\xAF|qvod|http%3A//h/1.mp4|0|0|5\r\n" +
                                           damaged + "\r\n" + huge + "\r\n");
}

}  // namespace
}  // namespace ruvo
