// GBK conversion and byte arithmetic.
#include <gtest/gtest.h>

#include "text/Gbk.h"

using namespace varrow;

TEST(Gbk, RoundTripAndByteLengths) {
    const std::string texts[] = {"", "abc", "子平八字", "某人-A1", "福建省-厦门市", "癸亥 甲子\r\n"};
    for (const auto& t : texts) {
        std::string g = Gbk::fromUtf8(t);
        EXPECT_EQ(g.size(), Gbk::byteLength(t)) << t;
        EXPECT_EQ(Gbk::toUtf8(g), t);
    }
    EXPECT_EQ(Gbk::fromUtf8("子"), "\xD7\xD3");
    EXPECT_EQ(Gbk::byteLength("黑龙江省-齐齐哈尔市"), 19u);
}

TEST(Gbk, UnrepresentableAndDamagedInputIsReplacedNotLost) {
    // An emoji has no GBK form: it becomes the two-byte full-width question mark.
    std::string g = Gbk::fromUtf8("a\xF0\x9F\x98\x80" "b");
    EXPECT_EQ(g, "a\xA3\xBF" "b");
    EXPECT_EQ(Gbk::byteLength("a\xF0\x9F\x98\x80" "b"), g.size());
    // Malformed UTF-8 and GBK: replaced, the rest kept.
    EXPECT_EQ(Gbk::fromUtf8("x\xC3"), "x\xA3\xBF");
    EXPECT_EQ(Gbk::toUtf8("\xD7\xD3\xFF" "z"), "子\xEF\xBF\xBDz");
    EXPECT_EQ(Gbk::toUtf8("z\xD7"), "z\xEF\xBF\xBD"); // half a character at the end
}

TEST(Gbk, TruncateAndPadAtCharacterBoundaries) {
    struct Case {
        const char* text;
        std::size_t bytes;
        const char* truncated;
    } cases[] = {
        {"子平八字", 5, "子平"}, {"子平八字", 4, "子平"}, {"ab子", 3, "ab"}, {"ab子", 4, "ab子"}, {"", 3, ""},
        {"子", 1, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Gbk::truncate(c.text, c.bytes), c.truncated) << c.text << c.bytes;
    EXPECT_EQ(Gbk::padRight("子平", 6), "子平  ");
    EXPECT_EQ(Gbk::padLeft("子", 3), " 子");
    EXPECT_EQ(Gbk::padRight("子平八", 5), "子平 ");
}

TEST(Gbk, FixedFieldLengthStopsAtZeroAndNeverSplitsACharacter) {
    const char full[4] = {'\xD7', '\xD3', '\xC6', '\xBD'}; // 子平, no terminating zero
    EXPECT_EQ(Gbk::fieldLength(full, 4), 4u);
    EXPECT_EQ(Gbk::fieldLength(full, 3), 2u);
    const char zero[4] = {'a', '\0', 'b', 'c'};
    EXPECT_EQ(Gbk::fieldLength(zero, 4), 1u);
}
