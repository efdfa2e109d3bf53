#include "chart/ChartRequest.h"

#include <gtest/gtest.h>

#include <cstring>

#include "text/Gbk.h"

namespace varrow {
namespace {

TEST(ChartRequest, DefaultsAreThePanelDefaults) {
    ChartRequest r;
    EXPECT_EQ(r.nameText(), "某人");
    EXPECT_EQ(r.placeText(), "未知");
    EXPECT_EQ(r.questionText(), "关心的事情。");
    EXPECT_EQ(r.castMethodText(), "其它方式");
    EXPECT_EQ(r.primaryLinesText(), "222131");
    EXPECT_EQ(r.changedLinesText(), "222121");
    EXPECT_EQ(r.timeZone, 8);
    EXPECT_EQ(r.province, 34);
    EXPECT_TRUE(r.isMale);
    EXPECT_FALSE(r.isLunar);
    EXPECT_FALSE(r.useTrueSolarTime);
    EXPECT_FLOAT_EQ(r.longitude, 120.5f);
    EXPECT_FLOAT_EQ(r.latitude, 30.0f);
    EXPECT_EQ(r.birthYear, 1978);
}

TEST(ChartRequest, TextFieldsHoldGbkEndingInZero) {
    ChartRequest r;
    r.setName("张三");
    EXPECT_EQ(std::string(r.name), "\xD5\xC5\xC8\xFD"); // GBK of 张三
    EXPECT_EQ(r.name[4], '\0');
    EXPECT_EQ(r.nameText(), "张三");
}

// Every field keeps at most size - 1 bytes, cut between characters.
TEST(ChartRequest, LongTextIsCutAtACharacterBoundary) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"一二三四五六", "一二三四五"}, // 12 bytes into 10
        {"a一二三四五", "a一二三四"},   // 11 bytes: the fifth character would be split
        {"abcdefghijkl", "abcdefghij"},
    };
    for (const Case& c : cases) {
        ChartRequest r;
        r.setName(c.text);
        EXPECT_EQ(r.nameText(), c.expected) << c.text;
        EXPECT_LE(std::strlen(r.name), 10u);
    }
}

TEST(ChartRequest, LongPlaceKeepsWholeCharacters) {
    ChartRequest r;
    // 黑龙江省-齐齐哈尔市梅里斯达斡尔族区 is 35 GBK bytes; 24 fit.
    r.setPlace("黑龙江省-齐齐哈尔市梅里斯达斡尔族区");
    EXPECT_EQ(r.placeText(), "黑龙江省-齐齐哈尔市梅里"); // 8 + 1 + 14 = 23 bytes
    EXPECT_EQ(Gbk::byteLength(r.placeText()), 23u);
    r.setPlace("a黑龙江省-齐齐哈尔市梅里斯达");
    EXPECT_EQ(Gbk::byteLength(r.placeText()), 24u);
}

TEST(ChartRequest, ReadingAFieldWithoutTerminatorStopsAtItsSize) {
    ChartRequest r;
    std::memset(r.castMethod, 'x', sizeof r.castMethod);
    EXPECT_EQ(r.castMethodText(), std::string(9, 'x'));
    // A lone lead byte at the end is dropped instead of read past.
    std::memcpy(r.primaryLines, "12345\xD5\xC5", 7);
    EXPECT_EQ(r.primaryLinesText(), "12345张");
    std::memcpy(r.primaryLines, "123456\xD5", 7);
    EXPECT_EQ(r.primaryLinesText(), "123456");
}

TEST(ChartKind, NamesAndCaptions) {
    const char* stores[] = {"bazi", "ziwei", "xming", "liuyao", "qimen", "jkj", "liuren"};
    const char* captions[] = {"子平八字", "紫微斗数", "中国星命", "八卦六爻", "奇门遁甲", "金口诀", "大六壬"};
    for (int i = 0; i < kChartKindCount; ++i) {
        ChartKind k = static_cast<ChartKind>(i);
        EXPECT_EQ(storeName(k), stores[i]);
        EXPECT_EQ(tabCaption(k), captions[i]);
        EXPECT_EQ(chartKindFromStoreName(stores[i]), k);
        EXPECT_EQ(isBirthKind(k), i < 3);
    }
    EXPECT_FALSE(chartKindFromStoreName("Bazi"));
    EXPECT_FALSE(chartKindFromIndex(7));
    EXPECT_FALSE(chartKindFromIndex(-1));
}

TEST(YearNumbering, HistoricalAndAstronomical) {
    EXPECT_EQ(toStoredYear(-120), -119);
    EXPECT_EQ(toStoredYear(1), 1);
    EXPECT_EQ(toStoredYear(-850), -849);
    EXPECT_EQ(toHistoricalYear(0), -1);
    EXPECT_EQ(toHistoricalYear(-849), -850);
    EXPECT_EQ(toHistoricalYear(2000), 2000);
}

} // namespace
} // namespace varrow
