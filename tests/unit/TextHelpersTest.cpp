#include <gtest/gtest.h>

#include "base/JsEscape.h"
#include "base/PathText.h"
#include "base/TextBetween.h"
#include "base/TextWidth.h"

namespace ruvo {
namespace {

struct EscapeCase {
    const char* plain;
    const char* escaped;
};

class JsEscapeTable : public testing::TestWithParam<EscapeCase> {};

TEST_P(JsEscapeTable, EscapesAndUnescapesLikeTheScriptLanguage) {
    EXPECT_EQ(JsEscape(GetParam().plain), GetParam().escaped);
    EXPECT_EQ(JsUnescape(GetParam().escaped), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsEscapeTable,
    testing::Values(EscapeCase{"AZaz09@*_+-./", "AZaz09@*_+-./"}, EscapeCase{"a b", "a%20b"},
                    EscapeCase{"海 贼", "%u6D77%20%u8D3C"}, EscapeCase{"http://x/y?a=1&b=2", "http%3A//x/y%3Fa%3D1%26b%3D2"},
                    EscapeCase{"é~", "%E9%7E"}, EscapeCase{"😀", "%uD83D%uDE00"}, EscapeCase{"%", "%25"},
                    EscapeCase{"", ""}));

TEST(JsUnescape, KeepsPercentWithoutValidDigits) {
    EXPECT_EQ(JsUnescape("100%"), "100%");
    EXPECT_EQ(JsUnescape("%zz%u12"), "%zz%u12");
    EXPECT_EQ(JsUnescape("%4"), "%4");
    EXPECT_EQ(JsUnescape("%41%u0042%u6d77"), "AB海");  // lower-case hex too
}

TEST(TruncateToWidth, CountsGbkDoubleByteCharactersTwice) {
    const std::string thirteen = "一二三四五六七八九十一二三";
    const std::string twelve = "一二三四五六七八九十一二";
    EXPECT_EQ(TruncateToWidth(thirteen, 25), twelve);
    EXPECT_EQ(TruncateToWidth(thirteen, 30), thirteen);
    EXPECT_EQ(TruncateToWidth(twelve, 25), twelve);
    EXPECT_EQ(TruncateToWidth("abcdefghijklmnopqrstuvwxyz0123", 25), "abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(TruncateToWidth("a一二三四五六七八九十一二三", 25), "a一二三四五六七八九十一二");
    EXPECT_EQ(TruncateToWidth("海贼", 1), "");
    EXPECT_EQ(TruncateToWidth("海贼王", 2), "海");
}

TEST(PathText, FileNameOfPath) {
    EXPECT_EQ(FileNameOfPath("/home/u/Videos/b.rmvb"), "b.rmvb");
    EXPECT_EQ(FileNameOfPath("C:\\a\\b.rmvb"), "b.rmvb");
    EXPECT_EQ(FileNameOfPath("b.rmvb"), "");
    EXPECT_EQ(FileNameOfPath("/folder/"), "");
}

TEST(PathText, StripExtension) {
    EXPECT_EQ(StripExtension("show.part1.mkv"), "show.part1");
    EXPECT_EQ(StripExtension("noextension"), "");
    EXPECT_EQ(StripExtension(".hidden"), "");
}

TEST(TextBetween, BothModes) {
    const std::string xml = "<a x=\"1\" Defaultsavepath=\"/home/u/Media/\" y=\"2\"/>";
    EXPECT_EQ(TextBetween(xml, "Defaultsavepath=\"", "\"", BetweenMode::InsideMarkers), "/home/u/Media/");
    EXPECT_EQ(TextBetween(xml, "Defaultsavepath=\"", "\"", BetweenMode::WithMarkers), "Defaultsavepath=\"/home/u/Media/\"");
    EXPECT_EQ(TextBetween(xml, "Missing=\"", "\"", BetweenMode::InsideMarkers), "");
    EXPECT_EQ(TextBetween("Defaultsavepath=\"unterminated", "Defaultsavepath=\"", "\"", BetweenMode::InsideMarkers), "");
}

}  // namespace
}  // namespace ruvo
