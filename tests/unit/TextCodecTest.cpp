#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "config/TextFile.h"

namespace ruvo {
namespace {

TEST(TextCodec, GbkFileReadsAndWritesBackByteForByte) {
    // Every double-byte GBK code of a few rows, plus ASCII.
    std::string gbk = "abc|123\r\n";
    for (int lead = 0x81; lead <= 0xFE; lead += 7)
        for (int trail = 0x40; trail <= 0xFE; trail += 3)
            if (trail != 0x7F) gbk += {static_cast<char>(lead), static_cast<char>(trail)};
    EXPECT_EQ(EncodeGb18030(DecodeGb18030(gbk)), gbk);
}

TEST(TextCodec, ChineseDecodesToUtf8) {
    EXPECT_EQ(DecodeGb18030("\xBA\xA3\xD4\xF4\xCD\xF5"), "海贼王");
    EXPECT_EQ(EncodeGb18030("海贼王"), "\xBA\xA3\xD4\xF4\xCD\xF5");
}

TEST(TextCodec, CharactersOutsideGbkAreStoredWithoutLoss) {
    for (const std::string text : std::initializer_list<const char*>{"😀 emoji", "𠀀 ext-B", "€ and ‰", "한국어", "Ünïcödé"}) {
        const std::string bytes = EncodeGb18030(text);
        EXPECT_EQ(bytes.find('?'), std::string::npos) << text;
        EXPECT_EQ(DecodeGb18030(bytes), text);
    }
}

TEST(TextCodec, InvalidBytesSurviveARoundTrip) {
    for (const std::string& bytes : {std::string("\xFF\xFE\x80 bad"), std::string("ok\x81"), std::string("\x81\x30"),
                                    std::string("a\0b", 3), std::string("\xA1")}) {
        const std::string text = DecodeGb18030(bytes);
        EXPECT_EQ(EncodeGb18030(text), bytes);
    }
}

TEST(TextCodec, ChineseAndBadBytesAnywhereInLongAsciiText) {
    // The ASCII stretches are skipped eight bytes at a time: every offset of
    // the other bytes against those words must come out the same.
    for (size_t lead = 0; lead < 18; ++lead) {
        const std::string pad(lead, 'x');
        const std::string gbk = pad + "\xBA\xA3" + pad + "\xFF" + "tail of the line";
        EXPECT_EQ(DecodeGb18030(gbk), pad + "海" + pad + DecodeGb18030("\xFF") + "tail of the line") << lead;
        EXPECT_EQ(EncodeGb18030(DecodeGb18030(gbk)), gbk) << lead;
    }
}

TEST(TextCodec, OnlyWellFormedUtf8CountsAsText) {
    EXPECT_TRUE(IsValidUtf8("星河 abc \xF0\x9F\x8E\xAC"));  // a character beyond the basic plane too
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));           // U+10FFFF, the last one
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));          // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xF6\x82\x82\x87"));          // a lead byte no character has
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));                    // an overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));               // a lone surrogate
    // Such bytes in a file are carried through a rewrite unchanged.
    const std::string bytes = "\xF6\x82\x82\x87|\xED\xA0\x80";
    EXPECT_EQ(EncodeGb18030(DecodeGb18030(bytes)), bytes);
}

TEST(TextCodec, DoubleByteWidth) {
    size_t length = 0;
    EXPECT_TRUE(IsGbkDoubleByte("海", 0, length));
    EXPECT_EQ(length, 3u);
    EXPECT_FALSE(IsGbkDoubleByte("a", 0, length));
    EXPECT_EQ(length, 1u);
    EXPECT_FALSE(IsGbkDoubleByte("😀", 0, length));  // not in GBK at all
    EXPECT_EQ(length, 4u);
}

TEST(TextFile, LinesBreakAtEveryKindOfLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("A\r\n"), Lines{"A"});
    EXPECT_EQ(SplitLines("\r\n"), Lines{""});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\r\n\rb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(SplitLines("no break at all"), Lines{"no break at all"});
}

}  // namespace
}  // namespace ruvo
