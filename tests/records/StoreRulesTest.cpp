#include <gtest/gtest.h>

#include <unistd.h>

#include "StoreFixture.h"
#include "records/Database.h"

namespace varrow {
namespace {

using namespace varrow::testing;

StoreHeader header(MDataBase& db) {
    StoreHeader h;
    EXPECT_TRUE(db.readHeader(h)) << db.lastError();
    return h;
}

TEST_F(StoreTest, ReuseStartsAtTheThirtiethDelete) {
    ASSERT_TRUE(db.open(home, ChartKind::Liuyao));
    for (int i = 0; i < 40; ++i) ASSERT_EQ(db.add(named("r" + std::to_string(i))), i);
    // 29 deletes, from id 39 down to 11.
    for (int id = 39; id > 10; --id) ASSERT_TRUE(db.remove(id)) << id;
    EXPECT_EQ(header(db).deleted, 29);
    EXPECT_FALSE(header(db).reuse);
    EXPECT_EQ(db.add(named("appended")), 40) << "29 deletes keep appending";
    ASSERT_TRUE(db.remove(5));
    EXPECT_EQ(header(db).deleted, 30);
    EXPECT_TRUE(header(db).reuse);
    EXPECT_EQ(std::string(fileBytes(file0(ChartKind::Liuyao)).substr(12, 1)), "\x01");
    // The lowest deleted slot comes back with its id.
    EXPECT_EQ(db.add(named("reused")), 5);
    RecordImage r;
    ASSERT_TRUE(db.read(5, r));
    EXPECT_EQ(getFixed(r.name), "reused");
    EXPECT_EQ(header(db).deleted, 29);
    for (int id = 11; id < 40; ++id) ASSERT_EQ(db.add(named("again")), id);
    EXPECT_EQ(header(db).deleted, 0);
    EXPECT_FALSE(header(db).reuse) << "off when the last deleted slot is taken";
    EXPECT_EQ(db.add(named("end")), 41);
    EXPECT_EQ(db.count(), 42);
}

TEST_F(StoreTest, ReuseWithoutADeletedSlotAppends) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(db.add(named("x")));
    pokeHeader(file0(), 0, 3, 30, true, 1); // altered outside the program
    EXPECT_EQ(db.add(named("y")), 3);
    StoreHeader h = header(db);
    EXPECT_EQ(h.count, 4);
    EXPECT_EQ(h.deleted, 0);
    EXPECT_FALSE(h.reuse);
}

TEST_F(StoreTest, DeletingTwiceChangesNothing) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    ASSERT_TRUE(db.add(named("x")));
    ASSERT_TRUE(db.remove(0));
    RecordImage r;
    EXPECT_FALSE(db.read(0, r));
    EXPECT_FALSE(db.remove(0));
    EXPECT_FALSE(db.update(0, named("y"))) << "a deleted slot is not brought back by update";
    EXPECT_EQ(header(db).deleted, 1);
    EXPECT_EQ(db.count(), 1) << "ids are never renumbered";
}

TEST_F(StoreTest, Search) {
    ASSERT_TRUE(db.open(home, ChartKind::Qimen));
    struct Row {
        const char* name;
        const char* category;
        const char* question;
        int year;
        bool male;
        int province;
    } rows[] = {
        {"张三", "朋友", "问财运", 1950, true, 0},
        {"小张", "客户", "问婚姻", 1951, false, 1},
        {"张", "朋友", "财运如何", 1950, true, 34},
        {"凑农", "朋友", "问", 1949, false, 0}, // bytes D5 C5 straddle
        {"李四", "同事", "问财", -119, true, 5},
    };
    for (const Row& row : rows) {
        RecordImage r = named(row.name, row.year);
        setFixed(r.category, row.category);
        setFixed(r.question, row.question);
        r.isMale = row.male;
        r.province = static_cast<std::int16_t>(row.province);
        ASSERT_TRUE(db.add(r));
    }
    ASSERT_TRUE(db.add(named("张已删")));
    ASSERT_TRUE(db.remove(5));

    struct Case {
        const char* what;
        SearchCriteria c;
        std::vector<std::int32_t> ids;
    };
    const auto crit = [](auto set) {
        SearchCriteria c;
        set(c);
        return c;
    };
    const Case cases[] = {
        {"all", SearchCriteria{}, {0, 1, 2, 3, 4}},
        {"name contains 张", crit([](SearchCriteria& c) { c.name = "张", c.nameMode = 1; }), {0, 1, 2}},
        {"name equals 张", crit([](SearchCriteria& c) { c.name = "张", c.nameMode = 2; }), {2}},
        {"empty text passes", crit([](SearchCriteria& c) { c.name = "", c.nameMode = 1; }), {0, 1, 2, 3, 4}},
        {"category", crit([](SearchCriteria& c) { c.category = "朋友", c.categoryMode = 2; }), {0, 2, 3}},
        {"question", crit([](SearchCriteria& c) { c.question = "财", c.questionMode = 1; }), {0, 2, 4}},
        {"year 1950",
         crit([](SearchCriteria& c) { c.yearTest = true, c.yearFrom = 1950, c.yearTo = 1950; }),
         {0, 2}},
        {"year 120 BC",
         crit([](SearchCriteria& c) { c.yearTest = true, c.yearFrom = -119, c.yearTo = -119; }),
         {4}},
        {"female", crit([](SearchCriteria& c) { c.sexTest = true, c.sex = 0; }), {1, 3}},
        {"province 0", crit([](SearchCriteria& c) { c.province = 0; }), {0, 3}},
        {"all tests",
         crit([](SearchCriteria& c) {
             c.name = "张", c.nameMode = 1, c.sexTest = true, c.sex = 1, c.yearTest = true, c.yearFrom = 1900,
             c.yearTo = 2000, c.province = 34;
         }),
         {2}},
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> ids = {99};
        ASSERT_TRUE(db.search(c.c, ids)) << c.what;
        EXPECT_EQ(ids, c.ids) << c.what;
    }
}

TEST_F(StoreTest, BirthKindsSearchNoQuestion) {
    ASSERT_TRUE(db.open(home, ChartKind::Ziwei));
    RecordImage r = named("甲");
    setFixed(r.question, "旧问题");
    ASSERT_TRUE(db.add(r));
    SearchCriteria c;
    c.question = "别的";
    c.questionMode = 2;
    std::vector<std::int32_t> ids;
    ASSERT_TRUE(db.search(c, ids));
    EXPECT_EQ(ids, std::vector<std::int32_t>{0});
}

TEST_F(StoreTest, SearchSpansDataFiles) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    fs::resize_file(file0(), 20 + 50000ull * 1212);
    pokeHeader(file0(), 0, 50000, 0, false, 1);
    ASSERT_EQ(db.add(named("张", 1990)), 50000);
    SearchCriteria c;
    c.name = "张";
    c.nameMode = 2;
    std::vector<std::int32_t> ids;
    ASSERT_TRUE(db.search(c, ids));
    EXPECT_EQ(ids, std::vector<std::int32_t>{50000});
}

TEST_F(StoreTest, DamagedHeaderIsReportedNotRead) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    ASSERT_TRUE(db.add(named("甲")));
    std::string good = fileBytes(file0());
    for (std::size_t size : {0u, 1u, 19u}) {
        writeBytes(file0(), good.substr(0, size));
        ASSERT_TRUE(db.open(home, ChartKind::Bazi));
        RecordImage r;
        EXPECT_EQ(db.count(), 0) << size;
        EXPECT_FALSE(db.read(0, r)) << size;
        EXPECT_FALSE(db.add(named("乙"))) << size;
        EXPECT_FALSE(db.lastError().empty());
        std::vector<std::int32_t> ids;
        EXPECT_FALSE(db.search({}, ids));
        EXPECT_EQ(fileBytes(file0()), good.substr(0, size)) << "a damaged header is never overwritten";
    }
    std::string wrongKind = good;
    wrongKind[0] = 3;
    writeBytes(file0(), wrongKind);
    EXPECT_FALSE(db.add(named("乙")));
    std::string negative = good;
    negative[7] = '\x80';
    writeBytes(file0(), negative);
    EXPECT_EQ(db.count(), 0);
}

TEST_F(StoreTest, CountsBeyondTheFilesAreClamped) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(db.add(named("x" + std::to_string(i))));
    // Cut the last record in half and claim many more.
    fs::resize_file(file0(), 20 + 2 * 1212 + 600);
    pokeHeader(file0(), 0, 1000000, 2000000, true, 7);
    EXPECT_EQ(db.count(), 2);
    RecordImage r;
    EXPECT_TRUE(db.read(1, r));
    EXPECT_FALSE(db.read(2, r));
    std::vector<std::int32_t> ids;
    ASSERT_TRUE(db.search({}, ids));
    EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 1}));
    // The half record is overwritten by the next add.
    EXPECT_EQ(db.add(named("next")), 2);
    EXPECT_EQ(fs::file_size(file0()), 20u + 3 * 1212u);
    StoreHeader h;
    ASSERT_TRUE(db.readHeader(h));
    EXPECT_EQ(h.count, 3);
    EXPECT_EQ(h.dataFiles, 1);
}

TEST_F(StoreTest, TextFieldsStopAtTheirSize) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    ASSERT_TRUE(db.add(named("甲")));
    std::string all = fileBytes(file0());
    all.replace(20 + 5, 12, std::string(12, 'N')); // name without terminator
    all.replace(20 + 17, 15,
                "\xD5\xC5\xD5\xC5\xD5\xC5\xD5\xC5\xD5\xC5\xD5\xC5\xD5\xC5\xD5"); // ends in half a character
    writeBytes(file0(), all);
    RecordImage r;
    ASSERT_TRUE(db.read(0, r));
    EXPECT_EQ(getFixed(r.name), std::string(12, 'N'));
    EXPECT_EQ(getFixed(r.category), "张张张张张张张");
}

TEST_F(StoreTest, FailedWritesAreReported) {
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    // A disk that is full: every write to data file 0 fails.
    fs::remove(file0());
    fs::create_symlink("/dev/full", file0());
    EXPECT_FALSE(db.add(named("甲")));
    EXPECT_NE(db.lastError().find("dat/bazi0.dat"), std::string::npos) << db.lastError();
    // A data file that cannot be created.
    MDataBase other;
    ASSERT_TRUE(other.open(home, ChartKind::Ziwei));
    fs::resize_file(file0(ChartKind::Ziwei), 20 + 50000ull * 1212);
    pokeHeader(file0(ChartKind::Ziwei), 1, 50000, 0, false, 1);
    fs::create_directories(home / "dat" / "ziwei1.dat"); // a folder in its way
    EXPECT_FALSE(other.add(named("乙")));
    EXPECT_EQ(other.count(), 50000) << "the header is not advanced";
}

TEST_F(StoreTest, OpenReportsAnUnwritableProgramDirectory) {
    writeBytes(home / "dat", "not a folder");
    EXPECT_FALSE(db.open(home, ChartKind::Bazi));
    EXPECT_FALSE(db.lastError().empty());
}

} // namespace
} // namespace varrow
