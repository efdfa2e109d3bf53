#include "calendar/Yidate.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "calendar/EquationOfTime.h"
#include "calendar/LunarTables.h"

namespace varrow {
namespace {

constexpr double kJdGregorianStart = 2299160.5; // 1582-10-15 0:00
constexpr double kJdSundayEpoch = 1410960.5;    // -849-01-01 0:00, a Sunday

// Mathematical modulo: the result has the sign of m.
constexpr int mod(int a, int m) { return ((a % m) + m) % m; }
// Floor and ceiling of values far below 2^53, inline: the libm calls dominated
// the cost of a date conversion.
inline double dfloor(double x) {
    double t = static_cast<double>(static_cast<long long>(x));
    return t > x ? t - 1 : t;
}
inline double dceil(double x) {
    double t = static_cast<double>(static_cast<long long>(x));
    return t < x ? t + 1 : t;
}
inline int ifloor(double x) { return static_cast<int>(dfloor(x)); }
// Integer division rounding toward minus infinity.
constexpr int floorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool beforeGregorian(int y, int m, int d) {
    if (y != 1582) return y < 1582;
    return m < 10 || (m == 10 && d < 15);
}

bool inTables(int year) { return year >= CYiDate::kTableFirstYear && year <= CYiDate::kTableLastYear; }

std::int16_t i16(int v) { return static_cast<std::int16_t>(v); }

} // namespace

// ---------------------------------------------------------------- civil side

double CYiDate::ToJulianDay(const SolarDate& d) {
    // The floors of the classical formula, floor((M + 1) * 30.6), floor(Y * 0.01),
    // floor(C * 0.25 - C) and floor(Y * 365.25), taken in exact integer arithmetic.
    int y = d.year + 4800, m = d.month;
    if (d.month <= 2) {
        m = d.month + 12;
        y -= 1;
    }
    int a = floorDiv((m + 1) * 306, 10);
    int c = floorDiv(y, 100);
    int b = beforeGregorian(d.year, d.month, d.day) ? -38 : floorDiv(-3 * c, 4);
    int dd = floorDiv(y * 1461, 4);
    // hour / 24 + minute / 1440, with one division.
    return b + dd + a + d.day - 32167.5 + (d.hour * 60 + d.minute) / 1440.0;
}

void CYiDate::FromJulianDay(double jd, SolarDate& out) {
    double z, f;
    if (jd < kJdGregorianStart) {
        z = dfloor(jd + 0.5);
        f = jd + 0.5 - z;
    } else {
        // Shift the Gregorian day onto the Julian count: one day for each
        // century year not divisible by 400 since 1700.
        double x = jd + 10;
        for (double anchor : {2342031.5, 2378555.5, 2415079.5})
            x += dfloor((jd - anchor) / 36524.25 * 0.25) + 1;
        z = dfloor(x + 0.5);
        f = x + 0.5 - z;
    }
    // A fraction that rounds up to 24:00 belongs to the next day.
    int total = static_cast<int>(dfloor(f * 1440 + 0.5));
    if (total >= 1440) {
        total -= 1440;
        z += 1;
    }
    z += 32083;
    double y = dceil(z / 365.25) - 1;
    int year = static_cast<int>(y) - 4800;
    double r = z - dfloor(y * 365.25);
    int month = ifloor((r - 0.6) / 30.59) + 3;
    r -= dfloor((month - 3) * 30.6 + 0.5);
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    out = SolarDate{i16(year), i16(month), i16(ifloor(r)), i16(total / 60), i16(total % 60)};
}

SolarDate CYiDate::FromJulianDay(double jd) {
    SolarDate d;
    FromJulianDay(jd, d);
    return d;
}

void CYiDate::NextDay(SolarDate& d) { FromJulianDay(ToJulianDay(d) + 1, d); }

bool CYiDate::IsLeapYear(int year) {
    if (year <= 1582) return mod(year, 4) == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CYiDate::MonthLength(int year, int month) {
    if (month == 2) return IsLeapYear(year) ? 29 : 28;
    return kMonthDays[mod(month - 1, 12)];
}

bool CYiDate::IsValidSolar(const SolarDate& d) {
    if (d.year < kFirstYear || d.year > kLastYear) return false;
    return d.day <= MonthLength(d.year, d.month);
}

int CYiDate::Weekday(const SolarDate& d) { return mod(ifloor(ToJulianDay(d) - kJdSundayEpoch), 7); }

int CYiDate::DayOfYear(int year, int month, int day) {
    bool gap = year == 1582 && month == 10 && day >= 5 && day <= 14;
    bool gregorian = year > 1582 || (year == 1582 && !beforeGregorian(year, month, day));
    bool leap = gregorian ? ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) : mod(year, 4) == 0;
    int n = day;
    for (int i = 1; i < month && i <= 12; ++i) n += kMonthDays[i - 1] + (i == 2 && leap ? 1 : 0);
    if (year == 1582) {
        if (gap) return 0;
        if (gregorian) n -= 10;
    }
    return n;
}

int CYiDate::DayNumber(int year, int month, int day) {
    int n = ifloor((year - 1) / 4.0) + 365 * year + DayOfYear(year, month, day) - 367;
    if (year > 1582) n += -ifloor((year - 1) / 100.0) + ifloor((year - 1) / 400.0) + 2;
    return n;
}

int CYiDate::MonthDayFromDayOfYear(int year, int n) {
    for (int i = 1; i <= 12; ++i) {
        int len = MonthLength(year, i);
        if (len >= n || i == 12) return i * 100 + n;
        n -= len;
    }
    return 1200 + n; // not reached
}

int CYiDate::Round(double x) { return static_cast<int>(std::ceil(x - 0.5)); }

// ------------------------------------------------------------- Chinese side

int CYiDate::SolarTerm(int year, int month, int which, SolarDate& out) {
    if (!inTables(year)) return ComputeSolarTerm(year, month, which, out);
    std::uint32_t word = tables::kTermWords[year - kTableFirstYear][month - 1];
    unsigned half = which == 1 ? (word & 0xFFFFu) : (word >> 16);
    out = SolarDate{i16(year), i16(month), i16(half & 31u), i16((half >> 5) & 31u), i16(half >> 10)};
    return month;
}

void CYiDate::FindSolarTerm(int year, int k, int which, SolarDate& out) {
    // Outside the tables a month may hold three terms, so one of them is
    // never the answer of a month: take the term by its number instead.
    if (!inTables(year)) return ComputeTermMoment(year, which == 1 ? 2 * k - 1 : 2 * k, out);
    int m = k, y = year;
    // Outside the table years the term found in a month may be a neighbour;
    // the walk is bounded so a faulty term source can never hang it.
    for (int guard = 0; guard < 48; ++guard) {
        if (y == 1582 && m == 10) m = 9;
        int i = SolarTerm(y, m, which, out);
        int diff = (year - y) * 12 + k - i;
        if (diff == 0) return;
        m += diff > 0 ? 1 : -1;
        if (m > 12) {
            m = 1;
            ++y;
        } else if (m < 1) {
            m = 12;
            --y;
        }
    }
}

bool CYiDate::SolarToLunar(const SolarDate& d, LunarDate& out) {
    out.hour = d.hour;
    out.minute = d.minute;
    if (inTables(d.year)) {
        std::uint32_t w = tables::kSolarToLunarWords[d.year - kTableFirstYear][d.month - 1];
        int d0 = w & 31u, d1 = (w >> 16) & 31u;
        int month;
        if (d1 > 0 && d.day > d1) { // the third lunar month of a solar month that touches three
            out.day = i16(d.day - d1);
            month = d.month - int((w >> 21) & 3u);
            out.leap = (w >> 23) & 1u;
        } else if (d.day > d0) {
            out.day = i16(d.day - d0);
            month = d.month - int((w >> 5) & 3u);
            out.leap = (w >> 7) & 1u;
        } else {
            out.day = i16(d.day + int((w >> 8) & 31u));
            month = d.month - int((w >> 13) & 3u);
            out.leap = (w >> 15) & 1u;
        }
        out.year = d.year;
        if (month < 1) {
            month += 12;
            out.year = i16(d.year - 1);
        }
        out.month = i16(month);
        return out.leap;
    }
    out.day = i16(LunarDayOf(d.year, d.month, d.day));
    int m = LunarMonthOf(d.year, d.month, d.day);
    out.leap = m < 0;
    out.month = i16(std::abs(m));
    out.year = i16(LunarYearOf(d.year, d.month, m));
    return out.leap;
}

bool CYiDate::LunarToSolar(const LunarDate& in, bool leap, SolarDate& out, std::string& message) {
    constexpr const char* kNoSuchDate = "不存在这个日期,请重新输入！";
    if (!inTables(in.year)) {
        if (!SearchLunarToSolar(in.year, in.month, in.day, leap, out, message)) return false;
        out.hour = in.hour;
        out.minute = in.minute;
        return true;
    }
    if (in.day > 30 || in.day < 1 || in.month < 1 || in.month > 12) {
        message = kNoSuchDate;
        return false;
    }
    out.hour = in.hour;
    out.minute = in.minute;
    // A lunar month that touches three solar months (see the carry below).
    if (in.year == 1938 && in.month == 1 && in.day == 30 && !leap) {
        out.year = 1938, out.month = 3, out.day = 1;
        return true;
    }
    std::uint32_t word = tables::kLunarToSolarWords[in.year - kTableFirstYear][in.month - 1];
    if (leap && !(word >> 31)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "此年没有闰%d月,请重新确定月份！", in.month);
        message = buf;
        return false;
    }
    unsigned half = leap ? (word >> 16) & 0xFFFFu : word & 0xFFFFu;
    int c0 = half & 31u, a0 = (half >> 5) & 3u, g = (half >> 8) & 31u, a1 = (half >> 13) & 3u;
    bool longMonth = (half >> 7) & 1u;
    if (in.day == 30 && !longMonth) {
        message = kNoSuchDate;
        return false;
    }
    int month, day;
    if (c0 == 0 && a0 == 0 && in.day == g) { // a month that begins on the 31st
        month = in.month;
        day = 31;
    } else if (g == 0 || in.day <= g) {
        month = in.month + a0;
        day = in.day + c0;
    } else {
        month = in.month + a1;
        day = in.day - g;
    }
    int year = in.year;
    if (month > 12) {
        month -= 12;
        ++year;
    }
    // 1938/1 is not the only month that touches three solar months: 1957/1
    // also begins on 31 January with 30 days. A day past the end of the solar
    // month goes on into the next one.
    if (day > MonthLength(year, month)) {
        day -= MonthLength(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    out.year = i16(year), out.month = i16(month), out.day = i16(day);
    return true;
}

int CYiDate::GanZhiIndex(int stem, int branch) { return stem + 10 * (mod(stem - branch, 12) / 2); }

namespace {

// Julian Days of the table years' term moments, computed once from the term
// table: the pillar rules look up three of them for every moment.
const double* tableTermJDs() {
    static const auto jds = [] {
        std::array<double, 151 * 24> a{};
        for (int y = CYiDate::kTableFirstYear; y <= CYiDate::kTableLastYear; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int which = 1; which <= 2; ++which) {
                    SolarDate t;
                    CYiDate::SolarTerm(y, m, which, t);
                    a[(y - CYiDate::kTableFirstYear) * 24 + (m - 1) * 2 + which - 1] = CYiDate::ToJulianDay(t);
                }
        return a;
    }();
    return jds.data();
}

// Term index found in month m of year y (first term), with its Julian Day.
int firstTermJD(int y, int m, double& jd) {
    if (inTables(y)) {
        jd = tableTermJDs()[(y - CYiDate::kTableFirstYear) * 24 + (m - 1) * 2];
        return m;
    }
    SolarDate t;
    int i = CYiDate::SolarTerm(y, m, 1, t);
    jd = CYiDate::ToJulianDay(t);
    return i;
}

} // namespace

PillarResult CYiDate::Pillars(const SolarDate& clock, double clockJD, const SolarDate& local, bool lateZi) {
    PillarResult r;
    // Year: changes at 立春 (looked for in February, then March, then January).
    const int y = clock.year;
    double jl;
    if (firstTermJD(y, 2, jl) != 2 && firstTermJD(y, 3, jl) != 2) firstTermJD(y, 1, jl);
    const int yp = mod(y + 896 + (clockJD >= jl ? 1 : 0), 60);
    r.pillars.year = GanZhi(yp);

    // Month: from the first term of the month on or before the clock moment.
    int m = (y == 1582 && clock.month == 10) ? 9 : clock.month;
    double ja;
    int i = firstTermJD(y, m, ja);
    if (clockJD >= ja) {
        r.monthStartJD = ja;
        firstTermJD(m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, r.nextBoundaryJD);
    } else {
        i -= 1;
        r.nextBoundaryJD = ja;
        firstTermJD(m == 1 ? y - 1 : y, m == 1 ? 12 : m - 1, r.monthStartJD);
    }
    int a = i <= 1 ? i + 12 : i;
    r.pillars.month = GanZhi(GanZhiIndex(mod(2 * (yp % 10) + a - 1, 10), mod(a + 1, 12)));

    // Day: counted from a known 甲子-aligned epoch; 23:xx starts the next day
    // unless the late-Zi setting keeps it.
    int dp = mod(ifloor(ToJulianDay(local) - kJdSundayEpoch) + 51, 60);
    if (local.hour == 23 && !lateZi) dp = (dp + 1) % 60;
    r.pillars.day = GanZhi(dp);

    // Hour: two-hour branches from 23:00; stem from the day stem.
    int h = local.hour;
    int e = h % 2 == 1 ? (h + 1) % 24 : h;
    int s = dp % 10 == 0 ? 5 : dp % 10;
    int hp = GanZhiIndex(mod(e / 2 + 2 * s - 1, 10), (e / 2 + 1) % 12);
    if (lateZi && h == 23) hp = (hp + 12) % 60;
    r.pillars.hour = GanZhi(hp);
    return r;
}

// ------------------------------------------------------------ true solar time

double CYiDate::EquationOfTime(int dayIndex) { return tables::kEquationOfTime[mod(dayIndex, 366)]; }

void CYiDate::ToTrueSolarTime(float longitude, SolarDate& d) {
    double j = ToJulianDay(d);
    SolarDate jan1 = d;
    jan1.month = 1;
    jan1.day = 1;
    double j0 = ToJulianDay(jan1);
    int i = mod(ifloor(j - j0 + 0.2), 366);
    int e = static_cast<int>(EquationOfTime(i));            // toward zero, whole minutes
    int z = ifloor((120.0f - longitude) * 4.0f);             // minutes of time from the UTC+8 meridian
    FromJulianDay(j + (e - z) / 1440.0, d);
}

// ---------------------------------------------------------------------- names

std::string CYiDate::NumeralName(int n) {
    if (n < 1 || n > 30) return {};
    std::string digit(names::digits[n % 10]);
    if (n < 10) return digit;
    if (n == 10) return "十";
    if (n < 20) return "十" + digit;
    if (n == 20) return "二十";
    if (n < 30) return "廿" + digit;
    return "三十";
}

} // namespace varrow
