// The three generated calendar tables of 1900..2050 agree with each other on
// every day, read straight from their bit layouts (no CYiDate), and with the
// reference calendar when it is present.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/LunarTables.h"

using varrow::tables::kLunarToSolarWords;
using varrow::tables::kSolarToLunarWords;
using varrow::tables::kTermWords;

namespace {

constexpr int kFirst = 1900;
constexpr int kLast = 2050;

struct Ymd {
    int y, m, d;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

struct Lunar {
    int year, month;
    bool leap;
    int day;
    friend bool operator==(const Lunar&, const Lunar&) = default;
};

std::ostream& operator<<(std::ostream& os, const Ymd& s) { return os << s.y << "-" << s.m << "-" << s.d; }
std::ostream& operator<<(std::ostream& os, const Lunar& l) {
    return os << l.year << "/" << (l.leap ? "leap " : "") << l.month << "/" << l.day;
}

// Gregorian day count (days from 1970-01-01) and back.
long daysFromCivil(Ymd s) {
    int y = s.y - (s.m <= 2);
    int era = (y >= 0 ? y : y - 399) / 400;
    int yoe = y - era * 400;
    int doy = (153 * (s.m + (s.m > 2 ? -3 : 9)) + 2) / 5 + s.d - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return long(era) * 146097 + doe - 719468;
}

Ymd civilFromDays(long z) {
    z += 719468;
    long era = (z >= 0 ? z : z - 146096) / 146097;
    long doe = z - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    int d = int(doy - (153 * mp + 2) / 5 + 1);
    int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(yoe + era * 400 + (m <= 2)), m, d};
}

int monthLength(int y, int m) {
    return int(daysFromCivil({m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, 1}) - daysFromCivil({y, m, 1}));
}

unsigned bits(std::uint32_t w, int shift, int width) { return (w >> shift) & ((1u << width) - 1); }

// Solar-to-lunar word: D0 splits the month; a word of a solar month that
// touches three lunar months carries the third start in bits 16-23.
Lunar solarToLunar(Ymd s) {
    std::uint32_t w = kSolarToLunarWords[s.y - kFirst][s.m - 1];
    int d0 = int(bits(w, 0, 5)), d1 = int(bits(w, 16, 5));
    Lunar l{s.y, 0, false, 0};
    if (d1 > 0 && s.d > d1) {
        l = {s.y, s.m - int(bits(w, 21, 2)), bits(w, 23, 1) == 1, s.d - d1};
    } else if (s.d > d0) {
        l = {s.y, s.m - int(bits(w, 5, 2)), bits(w, 7, 1) == 1, s.d - d0};
    } else {
        l = {s.y, s.m - int(bits(w, 13, 2)), bits(w, 15, 1) == 1, s.d + int(bits(w, 8, 5))};
    }
    if (l.month < 1) l.month += 12, l.year -= 1;
    return l;
}

std::uint32_t lunarHalf(int year, int month, bool leap) {
    std::uint32_t w = kLunarToSolarWords[year - kFirst][month - 1];
    return leap ? w >> 16 : w & 0xFFFFu;
}

bool hasLeap(int year, int month) { return kLunarToSolarWords[year - kFirst][month - 1] >> 31; }

int lunarMonthLength(int year, int month, bool leap) {
    return bits(lunarHalf(year, month, leap), 7, 1) ? 30 : 29;
}

// Lunar-to-solar word; nothing when the date does not exist.
std::optional<Ymd> lunarToSolar(Lunar l) {
    if (l.day < 1 || l.day > 30 || (l.leap && !hasLeap(l.year, l.month))) return std::nullopt;
    std::uint32_t h = lunarHalf(l.year, l.month, l.leap);
    int c0 = int(bits(h, 0, 5)), a0 = int(bits(h, 5, 2)), g = int(bits(h, 8, 5)), a1 = int(bits(h, 13, 2));
    if (l.day == 30 && !bits(h, 7, 1)) return std::nullopt;
    Ymd s{l.year, 0, 0};
    if (c0 == 0 && a0 == 0 && l.day == g) {
        s.m = l.month, s.d = 31; // a month that begins on the 31st
    } else if (g == 0 || l.day <= g) {
        s.m = l.month + a0, s.d = l.day + c0;
    } else {
        s.m = l.month + a1, s.d = l.day - g;
    }
    if (s.m > 12) s.m -= 12, s.y += 1;
    if (s.d > monthLength(s.y, s.m)) { // lunar 1938/1 and 1957/1 reach 1 March
        s.d -= monthLength(s.y, s.m);
        if (++s.m > 12) s.m = 1, s.y += 1;
    }
    return s;
}

// The lunar month after (year, month, leap).
Lunar nextMonth(const Lunar& l) {
    if (!l.leap && l.year >= kFirst && l.year <= kLast && hasLeap(l.year, l.month)) return {l.year, l.month, true, 1};
    if (l.month == 12) return {l.year + 1, 1, false, 1};
    return {l.year, l.month + 1, false, 1};
}

// Collects the first few faults of a long loop, so one broken word does not
// print fifty thousand lines.
struct Faults {
    int count = 0;
    std::string first;
    void add(const std::string& text) {
        if (count++ < 8) first += text + "\n";
    }
};

template <class... T> std::string str(const T&... parts) {
    std::ostringstream os;
    (os << ... << parts);
    return os.str();
}

const long kFirstLunarDay = daysFromCivil({1900, 1, 31}); // lunar 1900/1/1
const long kLastDay = daysFromCivil({2050, 12, 31});

} // namespace

TEST(LunarTables, SolarAndLunarTablesAreInverseOnEveryDay) {
    Faults f;
    for (long n = kFirstLunarDay; n <= kLastDay; ++n) {
        Ymd s = civilFromDays(n);
        Lunar l = solarToLunar(s);
        std::optional<Ymd> back = lunarToSolar(l);
        if (!back || *back != s) f.add(str(s, " -> ", l, " -> ", back ? str(*back) : "no date"));
    }
    EXPECT_EQ(f.count, 0) << f.first;
}

TEST(LunarTables, EveryLunarDateOfTheTableYearsGoesBackToItself) {
    Faults f;
    for (int y = kFirst; y <= kLast; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (bool leap : {false, true}) {
                if (leap && !hasLeap(y, m)) continue;
                for (int d = 1; d <= lunarMonthLength(y, m, leap); ++d) {
                    Lunar l{y, m, leap, d};
                    std::optional<Ymd> s = lunarToSolar(l);
                    if (!s) {
                        f.add(str(l, " has no solar date"));
                    } else if (s->y <= kLast && solarToLunar(*s) != l) {
                        f.add(str(l, " -> ", *s, " -> ", solarToLunar(*s)));
                    }
                }
            }
        }
    }
    EXPECT_EQ(f.count, 0) << f.first;
}

TEST(LunarTables, LunarDaysStepByOneAndMonthsHave29Or30Days) {
    Faults f;
    Lunar prev = solarToLunar(civilFromDays(kFirstLunarDay - 1));
    EXPECT_EQ(prev, (Lunar{1899, 12, false, 30}));
    for (long n = kFirstLunarDay; n <= kLastDay; ++n) {
        Ymd s = civilFromDays(n);
        Lunar l = solarToLunar(s);
        Lunar want = prev;
        want.day += 1;
        if (l.day == 1) {
            want = nextMonth(prev);
            if (prev.day != 29 && prev.day != 30) f.add(str(prev, " ends a month"));
            if (prev.year >= kFirst && prev.day != lunarMonthLength(prev.year, prev.month, prev.leap)) {
                f.add(str(prev, " ends a month whose long-month flag says otherwise"));
            }
        }
        if (l != want) f.add(str(s, " is ", l, " after ", prev));
        prev = l;
    }
    EXPECT_EQ(f.count, 0) << f.first;
}

TEST(LunarTables, ImpossibleLunarDatesHaveNoSolarDate) {
    int shortMonths = 0, missingLeaps = 0;
    for (int y = kFirst; y <= kLast; ++y) {
        for (int m = 1; m <= 12; ++m) {
            if (lunarMonthLength(y, m, false) == 29) {
                ++shortMonths;
                EXPECT_FALSE(lunarToSolar({y, m, false, 30})) << y << "/" << m << "/30";
            }
            if (!hasLeap(y, m)) {
                ++missingLeaps;
                EXPECT_FALSE(lunarToSolar({y, m, true, 1})) << y << " leap " << m;
            }
        }
    }
    EXPECT_GT(shortMonths, 0);
    EXPECT_GT(missingLeaps, 0);
}

TEST(LunarTables, TermsLieInTheirMonthInOrder) {
    Faults f;
    long prev = 0;
    for (int y = kFirst; y <= kLast; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int which : {0, 1}) {
                std::uint32_t half = (kTermWords[y - kFirst][m - 1] >> (16 * which)) & 0xFFFFu;
                int d = int(bits(half, 0, 5)), h = int(bits(half, 5, 5)), mi = int(bits(half, 10, 6));
                std::string what = str(y, "-", m, " term ", which + 1);
                if (d < 1 || d > monthLength(y, m) || h > 23 || mi > 59) {
                    f.add(str(what, ": day ", d, " ", h, ":", mi));
                    continue;
                }
                long n = daysFromCivil({y, m, d});
                if (prev != 0 && (n - prev < 14 || n - prev > 16))
                    f.add(str(what, ": ", n - prev, " days after"));
                prev = n;
            }
        }
    }
    EXPECT_EQ(f.count, 0) << f.first;
}

TEST(LunarTables, WordsOfFebruary2000DecodeAsDocumented) {
    // 立春 on the 4th at 20:40, 雨水 on the 19th at 16:33.
    std::uint32_t t = kTermWords[2000 - kFirst][1];
    EXPECT_EQ(t & 0xFFFFu, 4u | 20u << 5 | 40u << 10);
    EXPECT_EQ(t >> 16, 19u | 16u << 5 | 33u << 10);
    // 小寒 2000-01-06 09:00:42 is rounded to the nearest minute.
    EXPECT_EQ(kTermWords[2000 - kFirst][0] & 0xFFFFu, 6u | 9u << 5 | 1u << 10);
    // 大寒 1979-01-20 23:59:56 rounds into the next day.
    EXPECT_EQ(kTermWords[1979 - kFirst][0] >> 16, 21u);

    // D0 = 4, month offset 1; day 1 runs lunar day 26 of the month two back.
    EXPECT_EQ(kSolarToLunarWords[2000 - kFirst][1], 4u | 1u << 5 | 25u << 8 | 2u << 13);
    EXPECT_EQ(solarToLunar({2000, 2, 5}), (Lunar{2000, 1, false, 1}));
    EXPECT_EQ(solarToLunar({2000, 2, 4}), (Lunar{1999, 12, false, 29}));

    // Lunar 2000/1: C0 = 4, A0 = 1, long month, G = 25, A1 = 2.
    EXPECT_EQ(kLunarToSolarWords[2000 - kFirst][0] & 0xFFFFu, 4u | 1u << 5 | 1u << 7 | 25u << 8 | 2u << 13);
    EXPECT_EQ(lunarToSolar({2000, 1, false, 1}), (Ymd{2000, 2, 5}));
    EXPECT_EQ(lunarToSolar({2000, 1, false, 26}), (Ymd{2000, 3, 1}));
}

TEST(LunarTables, DatesAtTheEdgesOfTheLayout) {
    struct Case {
        Ymd solar;
        Lunar lunar;
    } cases[] = {
        {{1900, 1, 1}, {1899, 12, false, 1}},  // before the first lunar year of the table
        {{2033, 12, 22}, {2033, 11, true, 1}}, // a leap 11th month
        {{1938, 3, 1}, {1938, 1, false, 30}},  // a lunar month over three solar months
        {{1957, 3, 1}, {1957, 1, false, 30}},  // and the other one
        {{1938, 1, 31}, {1938, 1, false, 1}},  // a month that begins on the 31st
        {{2000, 7, 1}, {2000, 5, false, 30}},  // a solar month over three lunar months
        {{2000, 7, 2}, {2000, 6, false, 1}},   {{2000, 7, 31}, {2000, 7, false, 1}},
        {{1900, 3, 1}, {1900, 2, false, 1}}, // starts on the 1st and the 31st
        {{1900, 3, 31}, {1900, 3, false, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(solarToLunar(c.solar), c.lunar) << c.solar;
        if (c.lunar.year >= kFirst) {
            EXPECT_EQ(lunarToSolar(c.lunar), c.solar) << c.lunar;
        }
    }
    EXPECT_FALSE(hasLeap(2000, 2));
}

TEST(LunarTables, AgreeWithTheReferenceCalendar) {
    const std::filesystem::path path =
        std::filesystem::path(VARROW_REFERENCE_DIR) / "chinese-calendar-104bce-2200.tsv";
    std::ifstream in(path);
    if (!in) GTEST_SKIP() << "no reference calendar at " << path;

    // Rows: year, starts of months 1..12 and of the leap month as day offsets
    // from 31 December of the year before, leap month number, days.
    struct Start {
        long day;
        int year, month;
        bool leap;
    };
    std::vector<Start> starts;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || !(line[0] == '-' || std::isdigit(static_cast<unsigned char>(line[0])))) continue;
        std::istringstream row(line);
        long f[16];
        for (long& v : f) row >> v;
        int year = int(f[0]);
        if (year < kFirst - 1 || year > kLast + 1) continue;
        long dec31 = daysFromCivil({year - 1, 12, 31});
        for (int k = 1; k <= 12; ++k) starts.push_back({dec31 + f[k], year, k, false});
        if (f[14] != 0) starts.push_back({dec31 + f[13], year, int(f[14]), true});
    }
    std::sort(starts.begin(), starts.end(), [](const Start& a, const Start& b) { return a.day < b.day; });
    ASSERT_GT(starts.size(), 1800u);

    Faults f;
    size_t r = 0;
    for (long n = kFirstLunarDay; n <= kLastDay; ++n) {
        while (r + 1 < starts.size() && starts[r + 1].day <= n) ++r;
        const Start& s = starts[r];
        Lunar want{s.year, s.month, s.leap, int(n - s.day + 1)};
        Lunar got = solarToLunar(civilFromDays(n));
        if (got != want) f.add(str(civilFromDays(n), ": table ", got, ", reference ", want));
    }
    EXPECT_EQ(f.count, 0) << f.first;
}
