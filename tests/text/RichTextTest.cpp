#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "text/Gbk.h"
#include "text/RichText.h"

namespace varrow {
namespace {

constexpr int kRed = 255;
constexpr int kBlue = 0xFF0000;

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::filesystem::path tempPath(const char* name) {
    return std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "-" + name);
}

// The engines' way of writing a report: text in the default style, then
// marker pieces found and restyled.
RichText styledReport() {
    RichText doc;
    doc.SetDefaultStyle(12, 0, false);
    doc.SetText("乾造  己卯\n排大运：\n{a\\b}");
    int p = doc.FindText("己卯", 0, doc.TextLength());
    doc.Select(p, 2);
    doc.SetSelectionColour(kRed);
    int c = doc.FindText("排大运", p, doc.TextLength() - p);
    doc.Select(c, 4);
    doc.SetSelectionColour(kBlue);
    doc.SetSelectionBold(true);
    doc.Select(c + 5, 100); // runs past the end: clamped
    doc.SetSelectionSize(10);
    doc.Home();
    return doc;
}

TEST(RichText, RestylingGivesTheExpectedSpans) {
    RichText doc = styledReport();
    TextStyle plain{"宋体", 12, 0, false};
    TextStyle red{"宋体", 12, kRed, false};
    TextStyle blue{"宋体", 12, kBlue, true};
    TextStyle small{"宋体", 10, 0, false};
    std::vector<StyledSpan> expected = {{0, 4, plain}, {4, 2, red},    {6, 1, plain},
                                        {7, 4, blue},  {11, 1, plain}, {12, 5, small}};
    EXPECT_EQ(doc.spans(), expected);
    EXPECT_EQ(doc.text(), "乾造  己卯\n排大运：\n{a\\b}");
    EXPECT_EQ(doc.CaretLine(), 0);
}

TEST(RichText, PositionsCountCharactersAndLengthCountsGbkBytes) {
    RichText doc;
    doc.SetText("ab\r\n中文\rc");
    EXPECT_EQ(doc.text(), "ab\n中文\nc"); // "\r\n" and a lone "\r" are one break
    EXPECT_EQ(doc.size(), 7);
    EXPECT_EQ(doc.TextLength(), 2 + 2 + 4 + 2 + 1);
    doc.Select(4, 3);
    EXPECT_EQ(doc.CaretLine(), 2);
    doc.Home();
    EXPECT_EQ(doc.selectionStart(), 0);
    EXPECT_EQ(doc.selectionLength(), 0);
}

TEST(RichText, FindTextStaysInsideItsRange) {
    RichText doc;
    doc.SetText("大运 甲子 大运 乙丑");
    struct Case {
        const char* needle;
        int from, count, expected;
    } cases[] =
        {
            {"大运", 0, 100, 0}, {"大运", 1, 100, 6},  {"大运", 1, 7, 6},
            {"大运", 1, 6, -1}, // match must end in range
            {"乙丑", 0, 12, 9},  {"丙寅", 0, 100, -1}, {"大运", -1, 5, -1},
            {"大运", 12, 5, -1}, {"", 0, 10, -1},      {"子", 0, 0, -1},
        };
    for (const Case& c : cases)
        EXPECT_EQ(doc.FindText(c.needle, c.from, c.count), c.expected)
            << c.needle << " " << c.from << " " << c.count;
}

TEST(RichText, DefaultStyleAppliesToTextPlacedAfterwards) {
    RichText doc;
    doc.SetFont("黑体", 14);
    EXPECT_EQ(doc.BaseFontSize(), 14);
    doc.SetDefaultStyle(doc.BaseFontSize(), kBlue, true);
    doc.SetText("甲");
    EXPECT_EQ(doc.styleAt(0), (TextStyle{"黑体", 14, kBlue, true}));
    doc.Clear();
    EXPECT_EQ(doc.size(), 0);
    EXPECT_EQ(doc.TextLength(), 0);
    EXPECT_EQ(doc.FindText("甲", 0, 10), -1);
}

TEST(RichText, RtfUsesCodePage936AndAColourTable) {
    std::string rtf = styledReport().toRtf();
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(rtf.find("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;"), std::string::npos); // 宋体 in GBK
    EXPECT_NE(rtf.find("\\red255\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(rtf.find("\\red0\\green0\\blue255;"), std::string::npos);
    EXPECT_NE(rtf.find("\\'c7\\'ac\\'d4\\'ec"), std::string::npos); // 乾造
    EXPECT_NE(rtf.find("\\{a\\\\b\\}"), std::string::npos);
    for (unsigned char c : rtf) EXPECT_LT(c, 0x80);
}

TEST(RichText, RtfReadsBackTheSameTextAndRuns) {
    RichText doc = styledReport();
    doc.SetBackground(12635344);
    std::filesystem::path path = tempPath("round.rtf");
    ASSERT_TRUE(doc.SaveFile(path.string(), false));
    RichText back;
    ASSERT_TRUE(back.LoadFile(path.string()));
    EXPECT_EQ(back.text(), doc.text());
    EXPECT_EQ(back.spans(), doc.spans());
    EXPECT_FALSE(back.IsModified());
    std::filesystem::remove(path);
}

TEST(RichText, RtfKeepsCharactersGbkLacksAsUnicode) {
    RichText doc;
    doc.SetText("한 😀 €");
    std::string rtf = doc.toRtf();
    EXPECT_NE(rtf.find("\\u-10916?"), std::string::npos); // 한 U+D55C as a signed 16-bit value
    RichText back;
    std::filesystem::path path = tempPath("unicode.rtf");
    ASSERT_TRUE(doc.SaveFile(path.string(), false));
    ASSERT_TRUE(back.LoadFile(path.string()));
    EXPECT_EQ(back.text(), doc.text());
    std::filesystem::remove(path);
}

TEST(RichText, PlainSaveWritesGbkWithCrLfAndLoadsBack) {
    RichText doc = styledReport();
    std::filesystem::path path = tempPath("plain.txt");
    ASSERT_TRUE(doc.SaveFile(path.string(), true));
    std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, Gbk::fromUtf8("乾造  己卯\r\n排大运：\r\n{a\\b}"));
    RichText back;
    back.SetDefaultStyle(9, kRed, false);
    ASSERT_TRUE(back.LoadFile(path.string())); // not rich text: read as plain GBK
    EXPECT_EQ(back.text(), doc.text());
    EXPECT_EQ(back.spans().size(), 1u);
    EXPECT_EQ(back.styleAt(0).colour, kRed);
    std::filesystem::remove(path);
    EXPECT_FALSE(back.LoadFile(path.string()));
    EXPECT_FALSE(doc.SaveFile((tempPath("no-such-dir") / "x.rtf").string(), false));
}

TEST(RichText, RtfFromOtherWritersReadsTheCommonSubset) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset134 "
        "\\'cb\\'ce\\'cc\\'e5;}}{\\colortbl;\\red0\\green128\\blue0;}{\\*\\generator x;}"
        "{\\info{\\title hidden}}\\pard\\f1\\fs20 \\'d6\\'d0{\\cf1\\b x\\b0 y}\\par z\\u20013?}";
    RichText doc;
    std::filesystem::path path = tempPath("other.rtf");
    std::ofstream(path, std::ios::binary) << rtf;
    ASSERT_TRUE(doc.LoadFile(path.string()));
    EXPECT_EQ(doc.text(), "中xy\nz中");
    EXPECT_EQ(doc.styleAt(0), (TextStyle{"宋体", 10, 0, false}));
    EXPECT_EQ(doc.styleAt(1), (TextStyle{"宋体", 10, 0x008000, true}));
    EXPECT_EQ(doc.styleAt(2), (TextStyle{"宋体", 10, 0x008000, false}));
    EXPECT_EQ(doc.styleAt(3).colour, 0);
    std::filesystem::remove(path);
}

TEST(RichText, HtmlEscapesAndCarriesTheStyles) {
    RichText doc = styledReport();
    doc.SetBackground(12635344); // 0xC0CCD0: red 0xD0, green 0xCC, blue 0xC0
    std::string html = doc.toHtml();
    EXPECT_NE(html.find("background:#d0ccc0"), std::string::npos);
    EXPECT_NE(html.find("color:#ff0000\">己卯</span>"), std::string::npos);
    EXPECT_NE(html.find("color:#0000ff;font-weight:bold\">排大运：</span>"), std::string::npos);
    EXPECT_NE(html.find("font-size:10pt"), std::string::npos);
    EXPECT_EQ(html.find("<a"), std::string::npos);
}

// Optional check that a real word processor reads our RTF: only where
// LibreOffice is installed.
TEST(RichText, LibreOfficeConvertsTheRtfToTheSameText) {
    if (std::system("command -v libreoffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice not installed";
    RichText doc = styledReport();
    std::filesystem::path dir = tempPath("lo");
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(doc.SaveFile((dir / "report.rtf").string(), false));
    std::string cmd =
        "cd '" + dir.string() +
        "' && libreoffice --headless --convert-to 'txt:Text (encoded):UTF8' report.rtf >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::string txt = readBytes(dir / "report.txt");
    if (txt.rfind("\xEF\xBB\xBF", 0) == 0) txt.erase(0, 3);
    while (!txt.empty() && (txt.back() == '\n' || txt.back() == '\r')) txt.pop_back();
    std::string expected = doc.text();
    // LibreOffice writes a run of blanks with six-per-em spaces between them.
    for (std::size_t p; (p = txt.find("\xE2\x80\x86")) != std::string::npos;) txt.erase(p, 3);
    std::string got;
    for (char c : txt)
        if (c != '\r') got += c;
    EXPECT_EQ(got, expected);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace varrow

#include "tests/text/ReportSinkContract.h"

namespace varrow {
namespace {

TEST(RichText, MeetsTheReportSinkContract) {
    for (const contract::Case& c : contract::reportSinkCases()) {
        RichText doc;
        c.apply(doc);
        EXPECT_EQ(doc.text(), c.text) << c.name;
        std::vector<contract::Span> spans;
        for (const StyledSpan& s : doc.spans())
            spans.push_back({s.start, s.length, s.style.size, s.style.colour, s.style.bold});
        EXPECT_EQ(spans, c.spans) << c.name;
        EXPECT_EQ(doc.CaretLine(), c.caretLine) << c.name;
    }
}

} // namespace
} // namespace varrow
