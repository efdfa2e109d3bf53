// varrow-cli chart bazi: formats, the json model and batches.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

namespace {

struct Output {
    std::string text;
    int status = 0;
};

// Runs the command line tool with its program directory pointed nowhere, so
// the settings are the defaults.
Output cli(const std::string& arguments, const std::string& input = "") {
    std::string cmd = std::string("cd /tmp && ") + (input.empty() ? "" : "printf '%b' '" + input + "' | ") +
                      VARROW_CLI + " chart bazi --home /nonexistent " + arguments + " 2>&1";
    Output out;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.text.append(buf, n);
    out.status = WEXITSTATUS(pclose(p));
    return out;
}

TEST(BaziCli, JsonCarriesTheComputedModel) {
    Output o = cli("--date 2000-01-01 --time 00:00 --format json");
    ASSERT_EQ(o.status, 0) << o.text;
    auto j = nlohmann::json::parse(o.text);
    EXPECT_EQ(j["pillars"], nlohmann::json({"己卯", "丙子", "戊午", "壬子"}));
    EXPECT_EQ(j["hiddenStems"], nlohmann::json::parse(R"([["乙"],["癸"],["己","丁"],["癸"]])"));
    EXPECT_EQ(j["tenGods"], nlohmann::json({"劫", "枭", "日元", "财"}));
    EXPECT_EQ(j["hiddenTenGods"], nlohmann::json::parse(R"([["官"],["才"],["劫","印"],["才"]])"));
    EXPECT_EQ(j["stages"], nlohmann::json({"沐浴", "胎", "帝旺", "胎"}));
    EXPECT_EQ(j["nayin"], nlohmann::json({"城墙土", "洞下水", "天上火", "桑松木"}));
    EXPECT_EQ(j["void"], nlohmann::json({"子", "丑"}));
    const auto& luck = j["luck"];
    EXPECT_EQ(luck["forward"], false);
    EXPECT_EQ(luck["years"], 8);
    EXPECT_EQ(luck["months"], 0);
    EXPECT_EQ(luck["days"], 11);
    EXPECT_EQ(luck["startDate"], "2008-01-12");
    EXPECT_EQ(luck["startAge"], 9);
    EXPECT_EQ(luck["pillars"][0], "乙亥");
    EXPECT_EQ(luck["pillars"].size(), 8u);
    EXPECT_EQ(luck["ages"][7], 79);
    EXPECT_EQ(luck["startYears"][7], 2078);
    EXPECT_EQ(j["fetalOrigin"], "丁卯");
    EXPECT_EQ(j["lifePalace"], "己巳");
    EXPECT_EQ(j["stars"],
              nlohmann::json::parse(R"([["桃花"],["灾煞","空亡"],["羊刃"],["月德","灾煞","空亡"]])"));
    EXPECT_EQ(j["wonders"], "");
    EXPECT_EQ(j["sign"], "摩羯");
    EXPECT_EQ(j["animal"], "兔");
    EXPECT_EQ(j["mansion"], "胃");
    EXPECT_EQ(j["lunar"], nlohmann::json::parse(R"({"year":1999,"month":11,"leap":false,"day":25})"));
}

TEST(BaziCli, TextRtfAndHtmlFormats) {
    Output text = cli("--date 2000-01-01 --time 00:00");
    ASSERT_EQ(text.status, 0);
    std::ifstream golden(std::string(VARROW_TEST_DATA) + "/bazi/worked-example.txt", std::ios::binary);
    std::string want((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.text.substr(0, want.size()), want);
    Output rtf = cli("--date 2000-01-01 --time 00:00 --format rtf");
    EXPECT_EQ(rtf.text.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(rtf.text.find("\\red255\\green0\\blue0;"), std::string::npos);
    Output html = cli("--date 2000-01-01 --time 00:00 --format html");
    EXPECT_NE(html.text.find("color:#ff0000\">乾造  己卯"), std::string::npos);
    Output bad = cli("--format pdf");
    EXPECT_EQ(bad.status, 1);
}

TEST(BaziCli, ErrorsUseThePanelAndEngineMessages) {
    struct Case {
        const char* args;
        const char* message;
    } cases[] = {
        {"--date 2001-02-29", "不存在这个日期"},
        {"--date 0-01-01", "年份必须在-850到2100年之间，并且没有公元0年"},
        {"--date 1582-10-10", "不存在1582-10-5到1582-10-14这10天时间。"},
        {"--name ''", "姓名不能为空"},
        {"--date 2000-01-01 --lunar --leap --time 1:00", "此年没有闰1月,请重新确定月份！"},
    };
    for (const Case& c : cases) {
        Output o = cli(c.args);
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_NE(o.text.find(c.message), std::string::npos) << c.args << ": " << o.text;
    }
}

TEST(BaziCli, JsonlAnswersEachLineAndGoesOnAfterABadOne) {
    Output o = cli("--jsonl",
                   R"({"date":"2000-01-01","time":"00:00","sex":"female"}\n{"date":"2001-02-29"}\nnot json\n)"
                   R"({"date":"-120-06-01","time":"12:00","format":"text"}\n)");
    ASSERT_EQ(o.status, 0) << o.text;
    std::vector<nlohmann::json> rows;
    std::size_t i = 0;
    while (i < o.text.size()) {
        std::size_t j = o.text.find('\n', i);
        rows.push_back(nlohmann::json::parse(o.text.substr(i, j - i)));
        i = j + 1;
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0]["luck"]["forward"], true);
    EXPECT_EQ(rows[0]["luck"]["startDate"], "2001-10-16");
    EXPECT_EQ(rows[1], nlohmann::json::parse(R"({"line":2,"error":"不存在这个日期"})"));
    EXPECT_EQ(rows[2]["line"], 3);
    EXPECT_EQ(rows[3]["format"], "text");
    EXPECT_NE(rows[3]["output"].get<std::string>().find("出生公历：-120年6月1日12时0分"), std::string::npos);
}

} // namespace
