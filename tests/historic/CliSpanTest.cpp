// varrow-cli converts over the whole span, in historical year form.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string run(const std::string& args) {
    std::string out;
    FILE* p = popen((std::string(VARROW_CLI) + " " + args + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
}

TEST(CliSpan, ConvertsTheFarPastAndTheLastYear) {
    // 850 BC, the first year: the Zhou second month opens on 21 January.
    EXPECT_EQ(run("solar2lunar -850-01-21"), "-850\t2\t0\t1\n");
    EXPECT_EQ(run("lunar2solar -850 2 1"), "-850-01-21\n");
    EXPECT_EQ(run("solar2lunar 1850-01-20"), "1849\t12\t0\t8\n");
    EXPECT_EQ(run("solar2lunar 2100-12-31"), "2100\t12\t0\t1\n");
    EXPECT_EQ(run("lunar2solar 1899 5 1 --leap"), "此年没有闰月\n");
    const std::string days = run("days -105-11-01 -105-11-01");
    EXPECT_EQ(days.rfind("-105-11-01\t", 0), 0u) << days;
    EXPECT_NE(days.find("\t-105\t9\t1\t"), std::string::npos) << days; // the 后九月 of 105 BC
}

} // namespace
