#include "resources/Resources.h"

#include "text/Gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace varrow;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(Resources, EveryFileIsEmbeddedByteForByteUnderItsName) {
    const auto dir = std::filesystem::path(VARROW_SOURCE_DIR) / "resources" / "text";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        EXPECT_TRUE(Resources::has(name));
        const std::string_view embedded = Resources::text(name);
        const std::string onDisk = readFile(entry.path());
        // Sizes and the first differing offset: printing whole texts would drown the log.
        ASSERT_EQ(embedded.size(), onDisk.size());
        const auto diff = std::mismatch(embedded.begin(), embedded.end(), onDisk.begin());
        EXPECT_EQ(diff.first, embedded.end()) << "first difference at byte " << diff.first - embedded.begin();
    }
}

// Reports leave the program as GBK; a character GBK cannot hold would turn into "？".
TEST(Resources, EveryTextSurvivesTheTripToGbk) {
    const auto dir = std::filesystem::path(VARROW_SOURCE_DIR) / "resources" / "text";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().stem().string();
        const std::string_view text = Resources::text(name);
        EXPECT_EQ(Gbk::toUtf8(Gbk::fromUtf8(text)).size(), text.size()) << name;
        EXPECT_TRUE(Gbk::toUtf8(Gbk::fromUtf8(text)) == text) << name;
    }
}

TEST(Resources, UnknownNamesGiveNothing) {
    EXPECT_FALSE(Resources::has("no-such-resource"));
    EXPECT_FALSE(Resources::has(""));
    EXPECT_TRUE(Resources::text("no-such-resource").empty());
    EXPECT_TRUE(Resources::lines("no-such-resource").empty());
    EXPECT_TRUE(Resources::string(-987654).empty());
}

TEST(Resources, SplitLinesHandlesEveryLineEnding) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Resources::splitLines(""), V{});
    EXPECT_EQ(Resources::splitLines("一"), V{"一"});
    EXPECT_EQ(Resources::splitLines("一\n二\n"), (V{"一", "二"}));
    EXPECT_EQ(Resources::splitLines("一\r\n\r\n二"), (V{"一", "", "二"}));
    EXPECT_EQ(Resources::splitLines("\n"), V{""});
    EXPECT_EQ(Resources::splitLines("\xEF\xBB\xBF甲\n"), V{"甲"});
}

TEST(Resources, StringTableParsesIdsAndEscapes) {
    const auto t = Resources::parseStringTable("# comment\n"
                                               "1\t甲子\r\n"
                                               "20\t两行\\n文字\\t制表\\\\斜杠\\q\n"
                                               "-3\t负号\n"
                                               "7\n" // no tab: ignored
                                               "x8\tbad\n"
                                               "9\t\n"
                                               "1\t重复的编号不覆盖\n");
    EXPECT_EQ(t.size(), 4u);
    EXPECT_EQ(t.at(1), "甲子");
    EXPECT_EQ(t.at(20), "两行\n文字\t制表\\斜杠\\q");
    EXPECT_EQ(t.at(-3), "负号");
    EXPECT_EQ(t.at(9), "");
}
