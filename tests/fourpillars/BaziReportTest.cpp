// The Four Pillars report: the worked example line by line, its
// highlighting, the layouts and the header variants.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "fourpillars/BaziCommentary.h"
#include "fourpillars/Bazimp.h"
#include "text/Gbk.h"
#include "text/RichText.h"

namespace varrow {
namespace {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A program directory of its own, with the settings a test writes.
class ProgramDir {
public:
    ProgramDir() {
        static int n = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("bazi-" + std::to_string(::getpid()) + "-" + std::to_string(++n));
        std::filesystem::create_directories(dir_ / "dat");
    }
    ~ProgramDir() { std::filesystem::remove_all(dir_); }
    void write(const char* relative, std::string_view utf8) const {
        std::ofstream(dir_ / relative, std::ios::binary) << Gbk::fromUtf8(utf8);
    }
    std::string path() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

struct ChartRun {
    RichText doc;
    CBaZimp engine{doc};
    bool ok = false;
};

// The worked example's request: 某人, male, 2000-01-01 0:00, place 未知.
std::unique_ptr<ChartRun> chart(const ProgramDir& home, void (*edit)(ChartRequest&) = nullptr,
                                bool trueSolar = false) {
    auto run = std::make_unique<ChartRun>();
    run->engine.SetProgramDir(home.path());
    run->engine.SetTrueSolarTime(trueSolar);
    ChartRequest r;
    if (edit) edit(r);
    run->ok = run->engine.MakeChart(r);
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t j = text.find('\n', i);
        if (j == std::string::npos) j = text.size();
        out.push_back(text.substr(i, j - i));
        i = j + 1;
    }
    return out;
}

TEST(BaziReport, WorkedExampleMatchesTheGoldenText) {
    ProgramDir home;
    auto run = chart(home);
    ASSERT_TRUE(run->ok) << run->engine.ErrorText();
    const std::string golden = readFile(std::string(VARROW_TEST_DATA) + "/bazi/worked-example.txt");
    ASSERT_FALSE(golden.empty());
    const std::string text = run->doc.text();
    ASSERT_GE(text.size(), golden.size());
    std::vector<std::string> want = lines(golden), got = lines(text.substr(0, golden.size()));
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
    // The place line alone ends in "\r\n" in the report as built.
    EXPECT_EQ(run->engine.Report().find("未知。\r\n出生公历："), 31u); // a byte offset
    EXPECT_EQ(run->engine.Report().find('\r'), run->engine.Report().rfind('\r'));

    // The commentaries: 三命通会 lines 336 and 340, 穷通宝鉴 section [51] of qt01.
    std::string tail = "◆" + std::string(bazi::sanmingLine(336)) + "\n◆" +
                       std::string(bazi::sanmingLine(340)) + "\n\n穷通宝鉴-调侯用神参考：\n";
    for (std::string_view l : bazi::qiongtongSection("qt01", "[51]")) tail += std::string(l) + "\n";
    tail += "\n\n";
    EXPECT_EQ(text.substr(golden.size()), tail);
}

TEST(BaziReport, HighlightingStylesTheNamedPieces) {
    ProgramDir home;
    auto run = chart(home);
    ASSERT_TRUE(run->ok);
    const RichText& d = run->doc;
    const int T = d.TextLength();
    auto at = [&](const char* piece) { return d.FindText(piece, 0, T); };
    auto expectRun = [&](int from, int length, int colour, bool bold, int size) {
        for (int i = from; i < from + length; ++i) {
            ASSERT_EQ(d.styleAt(i).colour, colour) << "position " << i;
            ASSERT_EQ(d.styleAt(i).bold, bold) << "position " << i;
            ASSERT_EQ(d.styleAt(i).size, size) << "position " << i;
        }
    };
    constexpr int red = 255, blue = 0xFF0000;
    const int qian = at("乾造"), hidden = at("藏干");
    expectRun(0, qian, 0, false, 12);
    expectRun(qian, hidden - qian, red, false, 12);
    EXPECT_EQ(d.styleAt(hidden).colour, 0);
    expectRun(at("排大运："), 4, blue, true, 12);
    EXPECT_EQ(d.styleAt(at("排大运：") + 4).colour, 0);
    const int row = at("大运 乙亥");
    expectRun(row, 35, red, false, 12); // the row of luck pillars, up to its line break
    EXPECT_EQ(d.styleAt(row + 35).colour, 0);
    expectRun(at("排流年："), 4, blue, true, 12);
    expectRun(at("吉神凶煞："), 5, blue, true, 12);
    expectRun(at("排小运："), 4, blue, true, 12);
    const int commentary = at("三命通会论断：");
    expectRun(commentary, 7, blue, true, 10);
    expectRun(commentary + 7, 3, 0, false, 10);
    expectRun(at("穷通宝鉴-调侯用神参考："), 12, blue, true, 10);
    expectRun(d.size() - 1, 1, 0, false, 10); // everything after them is smaller too
    EXPECT_EQ(d.selectionStart(), 0);
    EXPECT_EQ(d.selectionLength(), 0);
}

TEST(BaziReport, NothingIsWrittenWithoutWriteReport) {
    ProgramDir home;
    auto run = std::make_unique<ChartRun>();
    run->doc.SetText("previous chart");
    run->engine.SetProgramDir(home.path());
    ChartRequest r;
    r.writeReport = false;
    ASSERT_TRUE(run->engine.MakeChart(r));
    EXPECT_EQ(run->doc.text(), "previous chart");
    EXPECT_NE(run->engine.Report().find("乾造"), std::string::npos);
}

TEST(BaziReport, VerticalLayoutPutsBranchesOnTheirOwnLine) {
    ProgramDir home;
    home.write("dat/set.ini", "[bazi]\npai=1\n");
    auto run = chart(home);
    ASSERT_TRUE(run->ok);
    std::string text = run->doc.text();
    EXPECT_NE(text.find("\n乾造  己          丙          戊          壬 (日空子、丑)\n"
                        "      卯          子          午          子\n藏干  "),
              std::string::npos);
    // Both lines are red up to 藏干.
    int qian = run->doc.FindText("乾造", 0, run->doc.TextLength());
    int branches = run->doc.FindText("      卯", qian, 200);
    EXPECT_EQ(run->doc.styleAt(branches + 6).colour, 255);
}

TEST(BaziReport, FemaleChartsAreKunZao) {
    ProgramDir home;
    auto run = chart(home, [](ChartRequest& r) { r.isMale = false; });
    ASSERT_TRUE(run->ok);
    std::string text = run->doc.text();
    EXPECT_NE(text.find("\n坤造  己卯"), std::string::npos);
    EXPECT_NE(text.find("起大运周岁：1岁 9个月 15天，每一交大运年 10月 16日起运(公历)。\n"),
              std::string::npos);
    EXPECT_NE(text.find("大运 丁丑  戊寅  "), std::string::npos);
    EXPECT_EQ(run->doc.styleAt(run->doc.FindText("坤造", 0, 1000)).colour, 255);
}

TEST(BaziReport, TrueSolarTimeAddsCoordinatesAndBothTimes) {
    ProgramDir home;
    auto run = chart(
        home,
        [](ChartRequest& r) {
            r.year = 1990, r.hour = 23, r.minute = 30;
            r.longitude = 116.46667f, r.latitude = 39.9f;
            r.setPlace("北京-北京");
        },
        true);
    ASSERT_TRUE(run->ok) << run->engine.ErrorText();
    std::string text = run->doc.text();
    // 23:13 true solar time with late-Zi off: the lunar date is that of 1990-01-02, hour 子.
    EXPECT_NE(text.find("出生农历：己巳年 十二月 初六日 子时。\n\n"), std::string::npos);
    EXPECT_EQ(text.find("命主姓名:某人  出生地:北京-北京,经度:116度28分,纬度:39度54分。\n"
                        "出生公历：1990年1月1日23时30分(北京时间)。\n"
                        "出生公历：1990年1月1日23时13分(真太阳时)，星期一。\n"),
              0u);
}

TEST(BaziReport, ClosingTextIsAppendedWhenAsked) {
    ProgramDir home;
    home.write("dat/EndInfo.txt", "命理仅供参考\r\n第二行\r\n");
    auto without = chart(home);
    EXPECT_EQ(without->doc.text().find("命理仅供参考"), std::string::npos);
    home.write("dat/set.ini", "[global]\nendinfo=1\n");
    auto with = chart(home);
    std::string text = with->doc.text();
    ASSERT_GE(text.size(), 30u);
    EXPECT_EQ(text.substr(text.size() - std::string("\n\n命理仅供参考\n第二行\n").size()),
              "\n\n命理仅供参考\n第二行\n");
    EXPECT_EQ(with->doc.styleAt(with->doc.size() - 2).size, 10);
    std::filesystem::remove(std::filesystem::path(home.path()) / "dat/EndInfo.txt");
    auto missing = chart(home);
    EXPECT_TRUE(missing->ok);
    EXPECT_EQ(missing->doc.text().substr(missing->doc.text().size() - 2), "\n\n");
}

TEST(BaziReport, LateZiSettingKeepsTheDay) {
    ProgramDir home;
    auto edit = [](ChartRequest& r) { r.hour = 23, r.minute = 30; };
    auto off = chart(home, edit);
    home.write("dat/set.ini", "[bazi]\nzishi=1\n");
    auto on = chart(home, edit);
    ASSERT_TRUE(off->ok && on->ok);
    // 2000-01-01 is 戊午; 23:30 moves to 己未 without the setting.
    EXPECT_EQ(off->engine.Chart().pillars.day.name(), "己未");
    EXPECT_EQ(off->engine.Chart().pillars.hour.name(), "甲子");
    EXPECT_EQ(on->engine.Chart().pillars.day.name(), "戊午");
    EXPECT_EQ(on->engine.Chart().pillars.hour.name(), "甲子");
    EXPECT_NE(on->doc.text().find(" 廿五日 子时。"), std::string::npos);
    EXPECT_NE(off->doc.text().find(" 廿六日 子时。"), std::string::npos);
}

TEST(BaziReport, FailuresLeaveTheSinkAlone) {
    ProgramDir home;
    struct Case {
        void (*edit)(ChartRequest&);
        const char* error;
    } cases[] = {
        {[](ChartRequest& r) { r.year = -850; },
         "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
        {[](ChartRequest& r) { r.year = 2101; },
         "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
        {[](ChartRequest& r) { r.year = 1582, r.month = 10, r.day = 9; },
         "不存在1582-10-5到1582-10-14这10天时间。"},
        {[](ChartRequest& r) { r.year = 2001, r.month = 2, r.day = 29; }, "不存在这个日期"},
        {[](ChartRequest& r) { r.isLunar = true, r.isLeapMonth = true, r.month = 4; },
         "此年没有闰4月,请重新确定月份！"},
        {[](ChartRequest& r) { r.year = 2100, r.month = 12, r.day = 31, r.hour = 23; },
         "公、农历正常转换年份在-850到2100之间"},
    };
    for (const Case& c : cases) {
        auto run = std::make_unique<ChartRun>();
        run->doc.SetText("kept");
        run->engine.SetProgramDir(home.path());
        ChartRequest r;
        c.edit(r);
        EXPECT_FALSE(run->engine.MakeChart(r));
        EXPECT_EQ(run->engine.ErrorText(), c.error);
        EXPECT_EQ(run->doc.text(), "kept");
    }
}

// Years before the common era print in historical form; each flowing year
// carries the pillar of its astronomical year.
TEST(BaziReport, ChartInTheYearMinus120) {
    if (!CYiDate::HasLunarCalendar(-119)) GTEST_SKIP() << "no lunar calendar for 120 BC yet";
    ProgramDir home;
    auto run = chart(home, [](ChartRequest& r) { r.year = -119, r.month = 6, r.day = 1, r.hour = 12; });
    ASSERT_TRUE(run->ok) << run->engine.ErrorText();
    const bazi::BaziChart& c = run->engine.Chart();
    std::string text = run->doc.text();
    EXPECT_NE(text.find("出生公历：-120年6月1日12时0分(北京时间)"), std::string::npos);
    EXPECT_EQ(c.pillars.year.name(), "辛酉"); // (-119 + 897) mod 60 = 58
    int first = c.cycleYear(0);
    std::string row0 = "始于 ";
    for (int k = 0; k < 8; ++k) row0 += bazi::BaziChart::yearPillar(c.cycleYear(k)).name() + "  ";
    EXPECT_NE(text.find("排流年：\n" + row0 + "\n"), std::string::npos);
    EXPECT_NE(text.find("年份 " + std::to_string(first < 1 ? first - 1 : first)), std::string::npos);
    if (first < 1) {
        EXPECT_EQ(text.find("年份 " + std::to_string(first) + " "), std::string::npos);
    }
}

} // namespace
} // namespace varrow
