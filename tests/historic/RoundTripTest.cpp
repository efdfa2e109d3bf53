// Every day of the whole span converts solar -> lunar -> solar back to itself,
// except the documented days where two days carry the same lunar date.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "calendar/Yidate.h"

namespace varrow {
namespace {

struct Span {
    int first, last;
};

// Days that do not come back, by year range, and why.
struct Exception {
    int first, last, days;
    const char* why;
};
constexpr Exception kExceptions[] = {
    {-721, -721, 29, "the era offset drops on 1 January: the month running then repeats its number"},
    {-255, -254, 88, "the change from the Zhou to the Qin numbering"},
    {19, 19, 7, "the leap month of the year 18 overlaps the Xin renumbering"},
    {24, 24, 29, "end of the Xin numbering: the twelfth month repeats"},
    {241, 241, 29, "end of the Jingchu numbering: the twelfth month repeats"},
    {986, 986, 1, "the series of 985 and of 986 put one new moon on different days"},
};

class RoundTrip : public testing::TestWithParam<Span> {};

TEST_P(RoundTrip, EveryDayComesBack) {
    const Span span = GetParam();
    std::map<int, int> failures; // year -> days
    SolarDate d{static_cast<std::int16_t>(span.first), 1, 1, 9, 30};
    while (d.year <= span.last) {
        LunarDate l;
        const bool leap = CYiDate::SolarToLunar(d, l);
        SolarDate back;
        std::string message;
        const bool ok = CYiDate::LunarToSolar(l, leap, back, message);
        if (!ok || back != d) ++failures[d.year];
        CYiDate::NextDay(d);
    }
    for (const Exception& e : kExceptions) {
        if (e.last < span.first || e.first > span.last) continue;
        int days = 0;
        for (int y = e.first; y <= e.last; ++y) days += failures[y], failures.erase(y);
        EXPECT_EQ(days, e.days) << e.first << ".." << e.last << ": " << e.why;
    }
    for (auto [year, days] : failures) EXPECT_EQ(days, 0) << "year " << year;
}

// Split so that ctest can run the spans side by side.
INSTANTIATE_TEST_SUITE_P(Historic, RoundTrip,
                         testing::Values(Span{-849, -400}, Span{-399, 0}, Span{1, 600}, Span{601, 1200},
                                         Span{1201, 1700}, Span{1701, 2100}));

} // namespace
} // namespace varrow
