#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "StoreFixture.h"

namespace varrow {
namespace {

using namespace varrow::testing;

struct CliRun {
    int status;
    std::string out;
};

CliRun cli(const std::string& args) {
    std::string cmd = std::string(VARROW_CLI) + " " + args + " 2>&1";
    CliRun r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class CliRecordsTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(db.open(home, ChartKind::Liuyao));
        RecordImage a = named("张三", -119);
        setFixed(a.question, "问出行");
        setFixed(a.remark, "第一行\r\n第二行\t完");
        setFixed(a.primaryLines, "123412");
        a.longitude = -117.8f;
        RecordImage b = named("小张", 1990);
        b.isMale = 0;
        setFixed(b.category, "客户,老");
        ASSERT_EQ(db.add(a), 0);
        ASSERT_EQ(db.add(b), 1);
        ASSERT_EQ(db.add(named("删")), 2);
        ASSERT_TRUE(db.remove(2));
    }
    std::string homeArg() const { return " --home " + home.string(); }
};

TEST_F(CliRecordsTest, ListsLiveRecordsInEachFormat) {
    CliRun tsv = cli("records list liuyao" + homeArg());
    ASSERT_EQ(tsv.status, 0) << tsv.out;
    EXPECT_EQ(
        tsv.out,
        "id\tcategory\tname\tsex\tlunar\tleap\tdate\ttime\tplace\tlongitude\tlatitude\tquestion\tremark\n"
        "0\t临时保存\t张三\t男\t0\t0\t-120-01-01\t00:00\t\t-117.8\t0\t问出行\t第一行\\r\\n第二行\\t完\n"
        "1\t客户,老\t小张\t女\t0\t0\t1990-01-01\t00:00\t\t0\t0\t\t\n");
    CliRun csv = cli("records list liuyao --format csv" + homeArg());
    ASSERT_EQ(csv.status, 0);
    EXPECT_NE(csv.out.find("1,\"客户,老\",小张,女"), std::string::npos) << csv.out;
    CliRun json = cli("records list liuyao --format json" + homeArg());
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(
        json.out.find(
            "{\"id\":0,\"category\":\"临时保存\",\"remark\":\"第一行\\r\\n第二行\\t完\",\"name\":\"张三\""),
        std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"year\":-120"), std::string::npos);
    EXPECT_NE(json.out.find("\"longitude\":-117.8,"), std::string::npos);
    EXPECT_NE(json.out.find("\"primaryLines\":\"123412\""), std::string::npos);
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 2) << "one object per line";
}

TEST_F(CliRecordsTest, ShowAndSearch) {
    CliRun show = cli("records show liuyao 1 --format json" + homeArg());
    ASSERT_EQ(show.status, 0) << show.out;
    EXPECT_TRUE(show.out.starts_with("{\"id\":1,")) << show.out;
    struct Case {
        const char* options;
        std::vector<std::string> ids;
    } cases[] = {
        {"--name 张", {"0", "1"}},     {"--name 张 --exact", {}},    {"--name 张三 --exact", {"0"}},
        {"--sex female", {"1"}},       {"--years -120:-120", {"0"}}, {"--years 1990:2000 --name 张", {"1"}},
        {"--question 出行", {"0"}},    {"--category 客户", {"1"}},   {"--province 34", {}},
        {"--province -1", {"0", "1"}},
    };
    for (const Case& c : cases) {
        CliRun r = cli("records search liuyao " + std::string(c.options) + homeArg());
        ASSERT_EQ(r.status, 0) << c.options << ": " << r.out;
        std::vector<std::string> ids;
        std::size_t line = r.out.find('\n');
        while (line != std::string::npos && line + 1 < r.out.size()) {
            ids.push_back(r.out.substr(line + 1, r.out.find('\t', line + 1) - line - 1));
            line = r.out.find('\n', line + 1);
        }
        EXPECT_EQ(ids, c.ids) << c.options;
    }
}

TEST_F(CliRecordsTest, RefusesBadInputWithAMessage) {
    const char* bad[] = {
        "records show liuyao 2",            // deleted
        "records show liuyao 9",            // beyond the count
        "records list nosuchkind",          //
        "records list liuyao --format xml", //
        "records search liuyao --years 1980:1979",
        "records search liuyao --years 0:10",
        "records search liuyao --sex other",
        "records search liuyao --province 35",
        "records frobnicate liuyao",
    };
    for (const char* args : bad) {
        CliRun r = cli(std::string(args) + homeArg());
        EXPECT_NE(r.status, 0) << args;
        EXPECT_FALSE(r.out.empty()) << args;
    }
}

TEST_F(CliRecordsTest, EmptyAndDamagedStores) {
    CliRun empty = cli("records list bazi" + homeArg());
    EXPECT_EQ(empty.status, 0) << empty.out;
    EXPECT_FALSE(fs::exists(file0(ChartKind::Bazi))) << "listing creates nothing";
    writeBytes(file0(ChartKind::Bazi), "\0\0\0");
    CliRun damaged = cli("records list bazi" + homeArg());
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.out.find("bazi0.dat"), std::string::npos) << damaged.out;
    // A record cut short is left out, never read past.
    std::string all = fileBytes(file0(ChartKind::Liuyao));
    writeBytes(file0(ChartKind::Liuyao), all.substr(0, 20 + 1212 + 100));
    CliRun cut = cli("records list liuyao" + homeArg());
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(std::count(cut.out.begin(), cut.out.end(), '\n'), 2) << cut.out;
}

} // namespace
} // namespace varrow
