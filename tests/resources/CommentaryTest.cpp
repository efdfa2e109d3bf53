// Structure of the Four Pillars commentaries: the report reads them by line
// number ("sanming") and by key ("qt01", "qt02"), so a missing or shifted
// entry silently shows the wrong verdict.
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
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
                EXPECT_TRUE(lines[first + j].starts_with(prefix))
                    << "line " << first + j << " wants " << prefix;
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

namespace {

struct Section {
    std::string key;
    std::vector<std::string> lines; // between the key and "[end]"
};

// Reads a 穷通宝鉴 resource the strict way: nothing but key, lines, "[end]".
std::vector<Section> readSections(std::string_view name, std::vector<std::string>& faults) {
    std::vector<Section> out;
    bool open = false;
    for (const std::string& line : Resources::lines(name)) {
        if (!open) {
            if (line.size() < 3 || line.front() != '[' || line.back() != ']' || line == "[end]") {
                faults.push_back(std::string(name) + ": stray line outside a section: " + line);
                continue;
            }
            out.push_back({line, {}});
            open = true;
        } else if (line == "[end]") {
            open = false;
        } else {
            out.back().lines.push_back(line);
        }
    }
    if (open) faults.push_back(std::string(name) + ": last section has no [end]");
    return out;
}

// Slot-0 order of the report's keys: stem digit 0 is 癸, branch number 0 is 亥.
std::string keyOf(int stemDigit, int branchNumber) {
    return "[" + std::to_string(stemDigit) + std::to_string(branchNumber) + "]";
}
const char* stemOfDigit(int s) { return kStems[(s + 9) % 10]; }
const char* branchOfNumber(int b) { return kBranches[(b + 11) % 12]; }

} // namespace

TEST(Qiongtong, EveryStemAndMonthHasOneSectionInTheRightResource) {
    std::vector<std::string> faults;
    std::map<std::string, std::string> whereFound;
    for (const char* name : {"qt01", "qt02"}) {
        for (const Section& s : readSections(name, faults)) {
            if (!whereFound.emplace(s.key, name).second) faults.push_back(s.key + " appears twice");
        }
    }
    for (const auto& f : faults) ADD_FAILURE() << f;
    for (int s = 0; s < 10; ++s) {
        for (int b = 0; b < 12; ++b) {
            const auto it = whereFound.find(keyOf(s, b));
            ASSERT_NE(it, whereFound.end()) << keyOf(s, b) << " is missing";
            EXPECT_EQ(it->second, s < 6 ? "qt01" : "qt02") << keyOf(s, b);
        }
    }
    EXPECT_EQ(whereFound.size(), 120u);
}

TEST(Qiongtong, SectionsHaveTheirHeadingAndNumberedParagraphs) {
    std::vector<std::string> faults;
    std::map<std::string, std::string> paragraphs;
    for (const char* name : {"qt01", "qt02"}) {
        for (const Section& sec : readSections(name, faults)) {
            const int s = sec.key[1] - '0';
            const int b = std::stoi(sec.key.substr(2, sec.key.size() - 3));
            ASSERT_GE(sec.lines.size(), 3u) << sec.key << " needs a heading and paragraphs";
            const std::string heading =
                std::string("    ") + stemOfDigit(s) + "日" + branchOfNumber(b) + "月生(";
            EXPECT_TRUE(sec.lines[0].starts_with(heading) && sec.lines[0].ends_with(")"))
                << sec.key << " heading: " << sec.lines[0];
            for (std::size_t i = 1; i < sec.lines.size(); ++i) {
                const std::string number = std::to_string(i) + "、";
                EXPECT_TRUE(sec.lines[i].starts_with(number)) << sec.key << " paragraph " << i;
                EXPECT_GT(sec.lines[i].size(), 60u) << sec.key << " paragraph " << i << " is too short";
                const auto [it, fresh] =
                    paragraphs.emplace(withoutPillarNames(sec.lines[i].substr(number.size())), sec.key);
                EXPECT_TRUE(fresh) << sec.key << " paragraph " << i << " repeats one of " << it->second;
            }
        }
    }
    EXPECT_TRUE(faults.empty());
}

TEST(Qiongtong, KeysTheWorkedExamplesRead) {
    // The report's lookup: every line after the first line equal to the key, up to "[end]".
    auto lookup = [](std::string_view name, const std::string& key) {
        std::vector<std::string> got;
        const auto lines = Resources::lines(name);
        auto it = std::find(lines.begin(), lines.end(), key);
        if (it == lines.end()) return got;
        for (++it; it != lines.end() && *it != "[end]"; ++it) got.push_back(*it);
        return got;
    };
    const auto wuZi = lookup("qt01", "[51]"); // 戊 in a 子 month
    ASSERT_FALSE(wuZi.empty());
    EXPECT_TRUE(wuZi[0].starts_with("    戊日子月生("));
    // Branch number 10 is 酉 (0 亥, 1 子 ... 11 戌), so [010] is 癸 in a 酉 month and [011] in a 戌 month.
    EXPECT_TRUE(lookup("qt01", "[010]").front().starts_with("    癸日酉月生("));
    EXPECT_TRUE(lookup("qt01", "[011]").front().starts_with("    癸日戌月生("));
    EXPECT_TRUE(lookup("qt01", "[111]").front().starts_with("    甲日戌月生("));
    EXPECT_TRUE(lookup("qt02", "[90]").front().starts_with("    壬日亥月生("));
    EXPECT_TRUE(lookup("qt01", "[90]").empty()); // 壬 lives in qt02 only
}
