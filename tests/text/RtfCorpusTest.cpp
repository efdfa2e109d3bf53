// Replays the RTF fuzz corpus through the fuzz target's harness, and a few
// thousand cheap mutations of it, so a broken reader shows without clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/fuzz/RtfHarness.h"

namespace varrow {
namespace {

std::vector<std::string> corpus() {
    std::vector<std::string> out;
    for (const auto& e :
         std::filesystem::directory_iterator(std::filesystem::path(VARROW_TEST_DATA) / "fuzz" / "rtf")) {
        std::ifstream f(e.path(), std::ios::binary);
        out.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    return out;
}

void run(const std::string& s) { fuzz::rtfInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

TEST(RtfCorpus, EveryInputReadsAndRoundTrips) {
    auto inputs = corpus();
    ASSERT_GE(inputs.size(), 4u);
    for (const std::string& s : inputs) run(s);
}

TEST(RtfCorpus, MutatedInputsNeverBreakTheReader) {
    std::mt19937 rng(936);
    constexpr char kSpecial[] = "{}\\'*;-0123456789 u";
    for (const std::string& seed : corpus()) {
        for (int i = 0; i < 400; ++i) {
            std::string s = seed;
            int edits = 1 + static_cast<int>(rng() % 8);
            for (int k = 0; k < edits && !s.empty(); ++k) {
                std::size_t at = rng() % s.size();
                switch (rng() % 3) {
                case 0:
                    s[at] = kSpecial[rng() % (sizeof kSpecial - 1)];
                    break;
                case 1:
                    s.erase(at, 1 + rng() % 16);
                    break;
                default:
                    s.insert(at, 1, static_cast<char>(rng() % 256));
                    break;
                }
            }
            if (s.rfind("{\\rtf", 0) != 0) s = "{\\rtf" + s;
            run(s);
        }
    }
}

TEST(RtfCorpus, OutOfRangeValuesAreClamped) {
    RichText doc;
    ASSERT_TRUE(readRtf("{\\rtf1{\\colortbl;\\red300\\green-1\\blue7;}\\cf1\\fs-4 x}", doc));
    EXPECT_EQ(doc.text(), "x");
    EXPECT_EQ(doc.styleAt(0).colour, 255 | (0 << 8) | (7 << 16));
    EXPECT_GE(doc.styleAt(0).size, 1);
}

} // namespace
} // namespace varrow
