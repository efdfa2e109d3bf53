// Structure of the Four Pillars commentaries: the report reads them by line
// number ("sanming") and by key ("qt01", "qt02"), so a missing or shifted
// entry silently shows the wrong verdict.
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace varrow;

namespace {

// Names in the order 甲 .. 癸 and 子 .. 亥 (not the slot-0 order of the name tables).
constexpr std::array<const char*, 10> kStems = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr std::array<const char*, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                   "午", "未", "申", "酉", "戌", "亥"};

// The stem of the 子 hour for each day stem (甲己 start at 甲子, 乙庚 at 丙子 ...).
int hourStem(int dayStem, int hourBranch) { return ((dayStem % 5) * 2 + hourBranch) % 10; }

// The text with every stem and branch character removed: two verdicts that
// differ only in their pillar names become equal.
std::string withoutPillarNames(const std::string& s) {
    std::string out = s;
    for (const char* names : {"甲乙丙丁戊己庚辛壬癸", "子丑寅卯辰巳午未申酉戌亥"}) {
        const std::string all = names;
        for (std::size_t i = 0; i < all.size(); i += 3) {
            const std::string ch = all.substr(i, 3);
            for (std::size_t p; (p = out.find(ch)) != std::string::npos;) out.erase(p, 3);
        }
    }
    return out;
}

} // namespace

TEST(Sanming, EveryBlockOpensWithItsPillarsInReadingOrder) {
    const auto lines = Resources::lines("sanming");
    ASSERT_EQ(lines.size(), 840u);
    for (int d = 0; d < 10; ++d) {
        for (int h = 0; h < 12; ++h) {
            const int first = 84 * (d + 1) + 7 * (h + 1) - 91; // the report's own formula
            const std::string hour = std::string(kStems[hourStem(d, h)]) + kBranches[h] + "时";
            EXPECT_TRUE(lines[first].starts_with(std::string(kStems[d]) + "日" + hour)) << "line " << first;
            for (int j = 1; j <= 6; ++j) {
                const int branch = (d % 2) + 2 * (j - 1); // yang stems 子寅辰..., yin stems 丑卯巳...
                const std::string prefix = std::string(kStems[d]) + kBranches[branch] + "日" + hour;
                EXPECT_TRUE(lines[first + j].starts_with(prefix)) << "line " << first + j << " wants " << prefix;
            }
        }
    }
}

TEST(Sanming, LinesTheWorkedExamplesRead) {
    const auto lines = Resources::lines("sanming");
    ASSERT_EQ(lines.size(), 840u);
    EXPECT_TRUE(lines[0].starts_with("甲日甲子时"));
    EXPECT_TRUE(lines[1].starts_with("甲子日甲子时"));
    EXPECT_TRUE(lines[6].starts_with("甲戌日甲子时"));
    EXPECT_TRUE(lines[336].starts_with("戊日壬子时"));
    EXPECT_TRUE(lines[340].starts_with("戊午日壬子时"));
    EXPECT_TRUE(lines[833].starts_with("癸日癸亥时"));
    EXPECT_TRUE(lines[839].starts_with("癸亥日癸亥时"));
}

TEST(Sanming, NoTwoVerdictsDifferOnlyInTheirNames) {
    const auto lines = Resources::lines("sanming");
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_GT(lines[i].size(), 60u) << "line " << i << " is too short to be a verdict";
        const auto [it, fresh] = seen.emplace(withoutPillarNames(lines[i]), i);
        EXPECT_TRUE(fresh) << "line " << i << " repeats line " << it->second;
    }
}
