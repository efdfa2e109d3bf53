#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/EndInfo.h"
#include "text/Gbk.h"

namespace fs = std::filesystem;

namespace varrow {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "varrow-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        home = tmpl;
        fs::create_directories(home / "dat");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(home / "dat", fs::perms::owner_all, ec);
        fs::remove_all(home, ec);
    }
    void writeGbk(const fs::path& p, std::string_view utf8) {
        std::ofstream(p, std::ios::binary) << Gbk::fromUtf8(utf8);
    }
    std::string readBytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path home;
};

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
    IniFile set = openChartSettings(home);
    for (const IntKey& k : setini::dialogKeys)
        EXPECT_EQ(set.get(k), k.key == "bkcolor" ? 16777215 : 0) << k.section << "/" << k.key;
    EXPECT_EQ(set.get(setini::xmingBkcolor), 16777215);
    EXPECT_FALSE(set.get(setini::globalEndinfo));
    IniFile pinit = openWindowSettings(home);
    EXPECT_EQ(pinit.get(pinit::winposLeft), 10);
    EXPECT_EQ(pinit.get(pinit::winposWidth), 400);
    EXPECT_EQ(pinit.get(pinit::winposState), 0);
    for (const IntKey& k : pinit::listWidth) EXPECT_EQ(pinit.get(k), 180);
    EXPECT_EQ(pinit.get(pinit::minggaoFname), "宋体");
    EXPECT_EQ(pinit.get(pinit::minggaoFsize), 12);
    EXPECT_EQ(pinit.get(pinit::minggaoBcolor), 12635344);
    EXPECT_TRUE(readCategories(pinit).empty());
    EXPECT_FALSE(fs::exists(windowSettingsPath(home))) << "reading creates nothing";
}

TEST_F(SettingsTest, ReadsGbkValuesAndUnreadableOnesGiveDefaults) {
    writeGbk(chartSettingsPath(home), "[bazi]\r\nzishi=1\r\npai=abc\r\n[XMING]\r\nbkcolor=255\r\n"
                                      "[global]\r\nendinfo=7\r\n[ziwei]\r\ntg7= 2 \r\ntm=\r\n");
    IniFile set = openChartSettings(home);
    EXPECT_EQ(set.get(setini::baziZishi), 1);
    EXPECT_EQ(set.get(setini::baziPai), 0) << "not a number";
    EXPECT_EQ(set.get(setini::xmingBkcolor), 255) << "sections match without regard to case";
    EXPECT_TRUE(set.get(setini::globalEndinfo)) << "any value but 0 is true";
    EXPECT_EQ(set.get(setini::ziweiTg7), 2);
    EXPECT_EQ(set.get(setini::ziweiTm), 0);
}

TEST_F(SettingsTest, MissingCategoryReadsAsTheDefault) {
    writeGbk(windowSettingsPath(home), "[classes]\r\ncount=3\r\n1=朋友\r\n3=客户\r\n");
    IniFile pinit = openWindowSettings(home);
    EXPECT_EQ(readCategories(pinit), (std::vector<std::string>{"朋友", "临时保存", "客户"}));
    EXPECT_EQ(readCategories(pinit, ""), (std::vector<std::string>{"朋友", "", "客户"}));
}

TEST_F(SettingsTest, DamagedCategoryCountIsBounded) {
    writeGbk(windowSettingsPath(home), "[classes]\r\ncount=2000000000\r\n");
    EXPECT_EQ(readCategories(openWindowSettings(home)).size(), std::size_t(pinit::kMaxCategories));
    writeGbk(windowSettingsPath(home), "[classes]\r\ncount=-5\r\n");
    EXPECT_TRUE(readCategories(openWindowSettings(home)).empty());
}

TEST_F(SettingsTest, WindowSettingsWriteThrough) {
    IniFile pinit = openWindowSettings(home);
    ASSERT_TRUE(pinit.set(pinit::winposState, 2));
    ASSERT_TRUE(pinit.set(pinit::minggaoFname, "黑体"));
    // Another reader sees both values at once, in GBK with CRLF.
    IniFile again(windowSettingsPath(home));
    EXPECT_EQ(again.get(pinit::winposState), 2);
    EXPECT_EQ(again.get(pinit::minggaoFname), "黑体");
    std::string bytes = readBytes(windowSettingsPath(home));
    EXPECT_NE(bytes.find("fname=\xBA\xDA\xCC\xE5\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos) << "every line ends in CRLF";
}

TEST_F(SettingsTest, KeysKeepFileOrderAndCommentsSurvive) {
    writeGbk(chartSettingsPath(home),
             "; 排盘设置\r\n[dlr]\r\nyuejiang=1\r\ngui157=1\r\nzeta=1\r\nalpha=0\r\n");
    IniFile set(chartSettingsPath(home));
    EXPECT_EQ(set.keys("dlr"), (std::vector<std::string>{"yuejiang", "gui157", "zeta", "alpha"}));
    set.set(setini::baziZishi, 1);
    set.set(setini::dlrGui157, 0);
    EXPECT_EQ(set.keys("dlr"), (std::vector<std::string>{"yuejiang", "gui157", "zeta", "alpha"}));
    EXPECT_EQ(set.sections(), (std::vector<std::string>{"dlr", "bazi"}));
    ASSERT_TRUE(set.save());
    std::string text = Gbk::toUtf8(readBytes(chartSettingsPath(home)));
    EXPECT_NE(text.find("; 排盘设置"), std::string::npos);
    EXPECT_NE(text.find("gui157=0"), std::string::npos);
}

// A value is one line: a line break in it must not smuggle in another key.
TEST_F(SettingsTest, ValuesCannotInjectKeys) {
    IniFile pinit = openWindowSettings(home);
    ASSERT_TRUE(pinit.writeString("classes", "1", "朋友\r\ncount=99\n[bazi]"));
    IniFile again(windowSettingsPath(home));
    EXPECT_EQ(again.keys("classes"), std::vector<std::string>{"1"});
    EXPECT_EQ(again.sections(), std::vector<std::string>{"classes"});
    EXPECT_EQ(again.readString("classes", "1", ""), "朋友  count=99 [bazi]");
}

TEST_F(SettingsTest, CategoriesWriteKeysAndCount) {
    IniFile pinit = openWindowSettings(home);
    ASSERT_TRUE(writeCategories(pinit, {"甲", "乙", "丙"}));
    ASSERT_TRUE(writeCategories(pinit, {"丁"}));
    IniFile again(windowSettingsPath(home));
    EXPECT_EQ(readCategories(again), std::vector<std::string>{"丁"});
    EXPECT_EQ(again.readString("classes", "2", ""), "乙") << "keys above count stay";
}

TEST_F(SettingsTest, FailedWriteIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    IniFile pinit = openWindowSettings(home);
    fs::permissions(home / "dat", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(pinit.set(pinit::winposLeft, 5));
    EXPECT_FALSE(pinit.lastError().empty());
    EXPECT_EQ(pinit.get(pinit::winposLeft), 5) << "kept in memory";
}

TEST_F(SettingsTest, FailedWriteIntoAFolderIsReported) {
    // Works for root too: the file's path is a folder.
    fs::create_directories(windowSettingsPath(home));
    IniFile pinit(windowSettingsPath(home), true);
    EXPECT_FALSE(pinit.set(pinit::winposLeft, 5));
    EXPECT_FALSE(pinit.lastError().empty());
}

TEST_F(SettingsTest, ClosingText) {
    EXPECT_FALSE(readEndInfo(home));
    IniFile set = openChartSettings(home);
    EXPECT_EQ(closingText(home, set), "");
    std::string error;
    ASSERT_TRUE(writeEndInfo(home, {"命稿结束", "", "谢谢"}, error)) << error;
    EXPECT_EQ(readBytes(endInfoPath(home)), Gbk::fromUtf8("命稿结束\r\n\r\n谢谢\r\n"));
    EXPECT_EQ(*readEndInfo(home), (std::vector<std::string>{"命稿结束", "", "谢谢"}));
    EXPECT_EQ(closingText(home, set), "") << "off unless global/endinfo";
    set.set(setini::globalEndinfo, true);
    EXPECT_EQ(closingText(home, set), "命稿结束\n\n谢谢\n");
}

TEST(EndInfoLines, SplitAtEveryLineBreak) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(splitLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(splitLines("").empty());
}

// The files that ship in dat/ hold exactly the defaults.
TEST(ShippedSettings, HoldTheDefaults) {
    fs::path dat = fs::path(VARROW_SOURCE_DIR) / "dat";
    IniFile set(dat / "set.ini");
    ASSERT_FALSE(set.sections().empty());
    for (const IntKey& k : setini::dialogKeys) {
        EXPECT_TRUE(set.hasKey(k.section, k.key)) << k.key;
        EXPECT_EQ(set.get(k), k.fallback) << k.key;
    }
    EXPECT_TRUE(set.hasKey("global", "endinfo"));
    IniFile pinit(dat / "pinit.ini");
    EXPECT_EQ(pinit.get(pinit::minggaoFname), "宋体");
    for (const IntKey& k : pinit::listWidth) EXPECT_TRUE(pinit.hasKey(k.section, k.key));
    EXPECT_TRUE(pinit.hasKey("classes", "count"));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(dat / "EndInfo.txt", bytes));
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_EQ(Gbk::fromUtf8(Gbk::toUtf8(bytes)), bytes) << "valid GBK";
}

} // namespace
} // namespace varrow
