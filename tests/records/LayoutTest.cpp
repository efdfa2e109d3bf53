#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "records/Database.h"
#include "text/Gbk.h"

namespace varrow {
namespace {

using namespace varrow::testing;

TEST_F(StoreTest, OpenOnAnEmptyProgramWritesA20ByteHeader) {
    ASSERT_TRUE(db.open(home, ChartKind::Jkj)) << db.lastError();
    std::string b = fileBytes(file0(ChartKind::Jkj));
    ASSERT_EQ(b.size(), 20u);
    EXPECT_EQ(b[0], 5) << "kind index";
    EXPECT_EQ(le32(b, 4), 0) << "count";
    EXPECT_EQ(le32(b, 8), 0) << "deleted";
    EXPECT_EQ(b[12], 0) << "reuse";
    EXPECT_EQ(le16(b, 14), 1) << "data files";
    for (std::size_t i : {1u, 2u, 3u, 13u, 16u, 17u, 18u, 19u}) EXPECT_EQ(b[i], 0) << "reserved " << i;
    // Opening again keeps the file as it is.
    ASSERT_TRUE(db.add(named("甲")));
    ASSERT_TRUE(db.open(home, ChartKind::Jkj));
    EXPECT_EQ(db.count(), 1);
}

TEST_F(StoreTest, FirstAddMakesOneRecordAfterTheHeader) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    EXPECT_EQ(db.add(named("张三")), 0);
    EXPECT_EQ(fs::file_size(file0()), 20u + 1212u);
    std::string b = fileBytes(file0());
    EXPECT_EQ(le32(b, 4), 1);
    EXPECT_EQ(le16(b, 14), 1);
    EXPECT_EQ(db.add(named("李四")), 1);
    EXPECT_EQ(fs::file_size(file0()), 20u + 2 * 1212u);
}

// Every field at its offset, as an outside reader of the file sees it.
TEST_F(StoreTest, EveryFieldLiesAtItsOffset) {
    RecordImage r;
    setFixed(r.name, "欧阳修文");
    setFixed(r.category, "古人名录");
    r.year = -119;
    r.month = 12;
    r.day = 31;
    r.hour = 23;
    r.minute = 59;
    r.isLunar = 1;
    r.isLeapMonth = 1;
    r.isMale = 0;
    r.province = 26;
    r.city = 7;
    r.timeZone = 20;
    r.longitude = -117.8f;
    r.latitude = 25.7f;
    setFixed(r.remark, "备注:\r\n第二行");
    setFixed(r.question, "问事业前程如何");
    r.otherStart = 2;
    r.otherStartArgs[0] = 3;
    r.otherStartArgs[1] = 4;
    r.otherStartArgs[2] = 5;
    setFixed(r.place, "陕西省-西安");
    setFixed(r.primaryLines, "123412");
    setFixed(r.changedLines, "121212");
    setFixed(r.castMethod, "铜钱摇卦");
    r.diFen = 11;
    r.jkjNobleMode = 2;
    r.birthYear = -998;
    r.zhanShiIndex = 10;
    r.dlrNobleMode = 1;

    ASSERT_TRUE(db.open(home, ChartKind::Liuren));
    ASSERT_EQ(db.add(r), 0);
    std::string b = fileBytes(file0(ChartKind::Liuren)).substr(20);
    ASSERT_EQ(b.size(), 1212u);
    EXPECT_EQ(le32(b, 0), 0);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 5, 12)), "欧阳修文");
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 17, 15)), "古人名录");
    EXPECT_EQ(le16(b, 32), -119);
    EXPECT_EQ(le16(b, 34), 12);
    EXPECT_EQ(le16(b, 36), 31);
    EXPECT_EQ(le16(b, 38), 23);
    EXPECT_EQ(le16(b, 40), 59);
    EXPECT_EQ(b[42], 1);
    EXPECT_EQ(b[43], 1);
    EXPECT_EQ(b[44], 0);
    EXPECT_EQ(le16(b, 46), 26);
    EXPECT_EQ(le16(b, 48), 7);
    EXPECT_EQ(le16(b, 50), 20);
    EXPECT_FLOAT_EQ(lef(b, 52), -117.8f);
    EXPECT_FLOAT_EQ(lef(b, 56), 25.7f);
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 60, 1002)), "备注:\r\n第二行");
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 1062, 50)), "问事业前程如何");
    EXPECT_EQ(b[1112], 2);
    EXPECT_EQ(b.substr(1113, 3), "\x03\x04\x05");
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 1152, 24)), "陕西省-西安");
    EXPECT_EQ(cstr(b, 1176, 7), "123412");
    EXPECT_EQ(cstr(b, 1183, 7), "121212");
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 1190, 9)), "铜钱摇卦");
    EXPECT_EQ(le16(b, 1202), 11);
    EXPECT_EQ(b[1204], 2);
    EXPECT_EQ(le16(b, 1206), -998);
    EXPECT_EQ(le16(b, 1208), 10);
    EXPECT_EQ(b[1210], 1);

    // And the store reads back every field.
    RecordImage back;
    ASSERT_TRUE(db.read(0, back));
    EXPECT_EQ(encodeRecord(back), encodeRecord(r));
    EXPECT_EQ(getFixed(back.name), "欧阳修文");
    EXPECT_EQ(getFixed(back.remark), "备注:\r\n第二行");
}

TEST_F(StoreTest, ReservedBytesSurviveAReadAndUpdate) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    ASSERT_EQ(db.add(named("甲")), 0);
    // Bytes another writer put into reserved fields are kept.
    std::string all = fileBytes(file0());
    all[20 + 45] = 'a';
    all[20 + 1116] = 'b';
    all[20 + 1211] = 'c';
    writeBytes(file0(), all);
    RecordImage r;
    ASSERT_TRUE(db.read(0, r));
    setFixed(r.name, "乙");
    ASSERT_TRUE(db.update(0, r));
    std::string b = fileBytes(file0()).substr(20);
    EXPECT_EQ(b[45], 'a');
    EXPECT_EQ(b[1116], 'b');
    EXPECT_EQ(b[1211], 'c');
    EXPECT_EQ(Gbk::toUtf8(cstr(b, 5, 12)), "乙");
    EXPECT_EQ(le32(fileBytes(file0()), 4), 1) << "update leaves the header";
}

TEST_F(StoreTest, The50001stAddStartsDataFile1) {
    ASSERT_TRUE(db.open(home, ChartKind::Qimen));
    // 50000 slots without writing them one by one: a sparse file and the header fields.
    fs::resize_file(file0(ChartKind::Qimen), 20 + 50000ull * 1212);
    pokeHeader(file0(ChartKind::Qimen), 4, 50000, 0, false, 1);
    EXPECT_EQ(db.count(), 50000);
    EXPECT_EQ(db.add(named("五万零一")), 50000);
    fs::path file1 = home / "dat" / "qimen1.dat";
    ASSERT_TRUE(fs::exists(file1));
    EXPECT_EQ(fs::file_size(file1), 1212u) << "file 1 has no header";
    EXPECT_EQ(fs::file_size(file0(ChartKind::Qimen)), 20 + 50000ull * 1212) << "file 0 unchanged in size";
    std::string h = headBytes(file0(ChartKind::Qimen), 20);
    EXPECT_EQ(le32(h, 4), 50001);
    EXPECT_EQ(le16(h, 14), 2);
    EXPECT_EQ(le32(fileBytes(file1), 0), 50000) << "id field";
    RecordImage r;
    ASSERT_TRUE(db.read(50000, r));
    EXPECT_EQ(getFixed(r.name), "五万零一");
    EXPECT_EQ(db.add(named("下一个")), 50001);
    EXPECT_EQ(fs::file_size(file1), 2 * 1212u);
}

TEST_F(StoreTest, ReadOutsideTheSlotsAnswersFalse) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    ASSERT_EQ(db.add(named("甲")), 0);
    RecordImage r;
    EXPECT_FALSE(db.read(-1, r));
    EXPECT_FALSE(db.read(1, r));
    EXPECT_TRUE(db.read(0, r));
    EXPECT_FALSE(db.update(1, r));
    EXPECT_FALSE(db.remove(1));
    EXPECT_FALSE(db.remove(-1));
}

} // namespace
} // namespace varrow
