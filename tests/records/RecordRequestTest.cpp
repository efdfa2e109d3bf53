#include <gtest/gtest.h>

#include "records/RecordImage.h"
#include "text/Gbk.h"

namespace varrow {
namespace {

ChartRequest sample() {
    ChartRequest q;
    q.setName("王五");
    q.setPlace("福建省-福州");
    q.setQuestion("问出行");
    q.year = -119;
    q.month = 3;
    q.day = 4;
    q.hour = 5;
    q.minute = 6;
    q.timeZone = 9;
    q.isLunar = true;
    q.isLeapMonth = true;
    q.isMale = false;
    q.province = 0;
    q.city = 2;
    q.longitude = 119.3f;
    q.latitude = 26.08f;
    q.setPrimaryLines("341212");
    q.setChangedLines("121212");
    q.setCastMethod("时间起卦");
    q.nobleMode = 2;
    q.diFen = 0;
    q.zhanShi = 0; // 亥
    q.birthYear = -998;
    q.otherStart = 2;
    q.otherStartArgs[1][0] = 7;
    q.otherStartArgs[1][1] = 8;
    q.otherStartArgs[1][2] = 9;
    return q;
}

TEST(RecordRequest, CommonFieldsOfEveryKind) {
    for (int k = 0; k < kChartKindCount; ++k) {
        ChartKind kind = static_cast<ChartKind>(k);
        RecordImage r;
        copyRequestToRecord(sample(), kind, r);
        EXPECT_EQ(getFixed(r.name), "王五");
        EXPECT_EQ(getFixed(r.place), "福建省-福州");
        EXPECT_EQ(r.year, -119);
        EXPECT_EQ(r.minute, 6);
        EXPECT_EQ(r.isLunar, 1);
        EXPECT_EQ(r.isMale, 0);
        EXPECT_EQ(r.city, 2);
        EXPECT_FLOAT_EQ(r.latitude, 26.08f);
        EXPECT_EQ(r.timeZone, isBirthKind(kind) ? 9 : 0) << "only birth charts set the time zone";
        EXPECT_EQ(getFixed(r.question), isBirthKind(kind) ? "" : "问出行");
        ChartRequest back = requestFromRecord(r, kind);
        EXPECT_EQ(back.nameText(), "王五");
        EXPECT_EQ(back.year, -119);
        EXPECT_TRUE(back.isLeapMonth);
    }
}

TEST(RecordRequest, KindFieldsGoOnlyWhereTheyBelong) {
    RecordImage liuyao, jkj, liuren;
    copyRequestToRecord(sample(), ChartKind::Liuyao, liuyao);
    copyRequestToRecord(sample(), ChartKind::Jkj, jkj);
    copyRequestToRecord(sample(), ChartKind::Liuren, liuren);
    EXPECT_EQ(getFixed(liuyao.primaryLines), "341212");
    EXPECT_EQ(getFixed(liuyao.castMethod), "时间起卦");
    EXPECT_EQ(getFixed(jkj.primaryLines), "");
    EXPECT_EQ(jkj.jkjNobleMode, 2);
    EXPECT_EQ(jkj.diFen, 0);
    EXPECT_EQ(liuren.jkjNobleMode, 0);
    EXPECT_EQ(liuren.dlrNobleMode, 2);
    EXPECT_EQ(liuren.birthYear, -998);
    EXPECT_EQ(liuren.zhanShiIndex, 11) << "the picker index of 亥";
    EXPECT_EQ(liuren.otherStart, 2);
    EXPECT_EQ(liuren.otherStartArgs[0], 7);
    EXPECT_EQ(liuren.otherStartArgs[2], 9);

    ChartRequest q = requestFromRecord(liuren, ChartKind::Liuren);
    EXPECT_EQ(q.zhanShi, 0);
    EXPECT_EQ(q.birthYear, -998);
    EXPECT_EQ(q.otherStartArgs[1][1], 8);
    ChartRequest j = requestFromRecord(jkj, ChartKind::Jkj);
    EXPECT_EQ(j.diFen, 0);
    EXPECT_EQ(j.nobleMode, 2);
    ChartRequest l = requestFromRecord(liuyao, ChartKind::Liuyao);
    EXPECT_EQ(l.changedLinesText(), "121212");
}

// A pending record keeps what earlier runs of other kinds left in it.
TEST(RecordRequest, FieldsOfOtherKindsStay) {
    RecordImage r;
    copyRequestToRecord(sample(), ChartKind::Liuyao, r);
    ChartRequest birth = sample();
    birth.setQuestion("不该写入");
    copyRequestToRecord(birth, ChartKind::Bazi, r);
    EXPECT_EQ(getFixed(r.question), "问出行");
    EXPECT_EQ(getFixed(r.primaryLines), "341212");
}

TEST(RecordRequest, LongPlaceIsCutToTheRecordField) {
    ChartRequest q;
    q.setPlace("a黑龙江省-齐齐哈尔市梅里斯达");
    EXPECT_EQ(q.placeText(), "a黑龙江省-齐齐哈尔市梅里"); // 24 bytes fill the request
    RecordImage r;
    copyRequestToRecord(q, ChartKind::Bazi, r);
    EXPECT_EQ(getFixed(r.place), "a黑龙江省-齐齐哈尔市梅"); // 23 would split 里
    EXPECT_EQ(r.place[22], '\0') << "zero-terminated within its 24 bytes";
}

TEST(RecordCodec, HeaderBytes) {
    StoreHeader h;
    h.kind = 6;
    h.count = 0x01020304;
    h.deleted = 30;
    h.reuse = true;
    h.dataFiles = 0x0102;
    HeaderBytes b = encodeHeader(h);
    const unsigned char expected[20] = {6, 0, 0, 0, 4, 3, 2, 1, 30, 0, 0, 0, 1, 0, 2, 1, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(b.begin(), b.end(), expected));
    StoreHeader back = decodeHeader(b.data());
    EXPECT_EQ(back.count, h.count);
    EXPECT_EQ(back.dataFiles, h.dataFiles);
    EXPECT_TRUE(back.reuse);
}

} // namespace
} // namespace varrow
