// The computed Chinese calendar for the years outside the tables: solar terms
// from a closed formula, new moons from a short lunar series, and the month
// numbering from the leap-month table and the era offsets.
#include <algorithm>
#include <array>
#include <cmath>

#include "calendar/LeapMonths.h"
#include "calendar/Yidate.h"

namespace varrow {
namespace {

constexpr int mod(int a, int m) { return ((a % m) + m) % m; }
inline int ifloor(double x) { return static_cast<int>(std::floor(x)); }
inline double frac(double x) { return x - std::floor(x); }
std::int16_t i16(int v) { return static_cast<std::int16_t>(v); }

// Era offsets: years whose months were numbered from another year start.
struct Era {
    int lastYear;
    int offset;
};
constexpr Era kEras[] = {
    {-722, 4}, // Zhou: the year opens with the month of the winter solstice
    {-256, 3}, // Spring and Autumn, Warring States
    {-255, 1}, // the year the Zhou fell
    {8, 0},    // Qin and Han: Xia numbering, the year opening with the tenth month
    {23, 1},   // Xin
    {237, 0},  // Han to Wei
    {240, 1},  // Wei, Jingchu
};

// Leap-month entries from the first year up to and including each year.
const std::array<int, tables::kLeapYears>& leapCounts() {
    static const std::array<int, tables::kLeapYears> counts = [] {
        std::array<int, tables::kLeapYears> c{};
        int n = 0;
        for (int i = 0; i < tables::kLeapYears; ++i) c[i] = n += tables::kLeapMonths[i] != 0;
        return c;
    }();
    return counts;
}

int leapCountThrough(int year) {
    int i = year - tables::kLeapFirstYear;
    if (i < 0) return 0;
    return leapCounts()[std::min(i, tables::kLeapYears - 1)];
}

// --- new-moon series ---
// The quantities the series was fitted with in single precision.
constexpr float kPiF = 3.14159265f;
constexpr float kAnomalyRate = 0.08084821f;     // solar mean anomaly, revolutions per lunation
constexpr float kMoonAnomalyRate = 0.07171366f; // lunar mean anomaly
constexpr float kLatitudeRate = 0.085195854f;   // argument of latitude
constexpr double kDegree = 1 / 57.2957795;      // radians per degree
constexpr double kSynodicMonth = 29.53058868;   // days

// The new moons around a year: dayNumber(t) is the civil day number (UTC+8)
// of the t-th new moon after the first one of the year's series.
struct NewMoonSeries {
    float T, k;
    double base, M0, P0, F0, c;

    explicit NewMoonSeries(int year)
        : T(static_cast<float>((year - 1899.5) / 100)),
          k(static_cast<float>(std::floor((year - 1900) * 12.3685))) {
        const double t = T, t2 = double(T) * T, t3 = t2 * T;
        base = 0.75933 - 0.0002172 * t2 - 1.55e-7 * t3 + 0.53058868 * k - 0.000837 * t + 8.0 / 24 + 0.5;
        const double twoPi = 2 * double(kPiF);
        M0 = twoPi * frac(double(kAnomalyRate) * k) +
             (359.2242 - double(0.0000333f) * t2 - double(0.00000347f) * t3) * kDegree;
        P0 = twoPi * frac(double(kMoonAnomalyRate) * k) +
             (306.0253 + double(0.0107306f) * t2 + double(0.00001236f) * t3) * kDegree;
        F0 = twoPi * frac(double(kLatitudeRate) * k) +
             (21.2964 - double(0.0016528f) * t2 - double(0.00000239f) * t3) * kDegree;
        c = 0.1734 - 0.000393 * t;
    }

    double meanDayNumber(int n) const { return 29 * double(k) + 693595 + kSynodicMonth * n + base; }

    int dayNumber(int n) const {
        const double ma = M0 + 0.507984293 * n, pa = P0 + 6.73377553 * n, fa = F0 + 6.818486628 * n;
        const double l = meanDayNumber(n) + c * std::sin(ma) + 0.0021 * std::sin(2 * ma) -
                         0.4068 * std::sin(pa) + 0.0161 * std::sin(2 * pa) + 0.0104 * std::sin(2 * fa) -
                         0.0074 * std::sin(ma - pa) - 0.0051 * std::sin(ma + pa);
        return ifloor(l);
    }
};

// The civil date and UTC+8 time of a term given as its day of the year.
void TermMoment(int year, double dayOfYear, SolarDate& out) {
    const SolarDate jan1{i16(year), 1, 1, 0, 0};
    out = CYiDate::FromJulianDay(CYiDate::ToJulianDay(jan1) + std::floor(dayOfYear) - 1);
    const double f = frac(dayOfYear);
    out.hour = i16(ifloor(24 * f));
    out.minute = i16(ifloor(60 * (24 * f - out.hour)));
}

} // namespace

// ------------------------------------------------------------- solar terms

double CYiDate::TermDayOfYear(int year, int n) {
    const double Y = year;
    const double e = 0.0003 * Y - 0.372781384 - 0.2617913325 * n;
    const double y = Y - 100;
    double j = (365.2423112 - 6.4e-14 * y * y - 3.047e-8 * y) * Y + 15.218427 * n + 1721050.71301;
    j += (1.945 * std::sin(e) - 0.01206 * std::sin(2 * e)) * (1.048994 - 0.00002583 * Y) -
         0.0018 * std::sin(2.313908653 * Y - 0.439822951 - 3.0443 * n);
    return j - DayNumber(year, 1, 0) - 1721425;
}

int CYiDate::ComputeSolarTerm(int year, int month, int which, SolarDate& out) {
    struct Term {
        int n;
        double value; // day of the year, time as the fraction
        bool inMonth;
    };
    auto place = [year, month](int n) {
        const double value = TermDayOfYear(year, n);
        return Term{n, value, MonthDayFromDayOfYear(year, ifloor(value)) / 100 == month};
    };
    // The month's own terms, unless the drift of the civil calendar has moved
    // one out and a neighbour's term in.
    const Term before = place(2 * month - 2);
    const Term after = place(2 * month + 1 > 24 ? 2 * month + 1 - 24 : 2 * month + 1);
    Term p = place(2 * month - 1), q = place(2 * month);
    if (before.inMonth) {
        q = p;
        p = before;
    }
    if (after.inMonth) {
        p = q;
        q = after;
    }
    p.n = mod(p.n - 1, 24) + 1;
    q.n = mod(q.n - 1, 24) + 1;

    const bool pOdd = p.n % 2 == 1;
    const Term& t = which == 1 ? (pOdd ? p : q) : (pOdd ? q : p);
    // The real date of the term, which may lie in a neighbouring month.
    TermMoment(year, t.value, out);
    return t.n % 2 == 1 ? (t.n + 1) / 2 : t.n / 2;
}

void CYiDate::ComputeTermMoment(int year, int n, SolarDate& out) {
    TermMoment(year, TermDayOfYear(year, n), out);
}

// ------------------------------------------------------------ lunar months

int CYiDate::LunarDayOf(int year, int month, int day) {
    const NewMoonSeries series(year);
    const int today = DayNumber(year, month, day);
    // Only new moons within two lunations of the mean one before today can
    // be the last one on or before it, so the others need not be summed.
    const int near = ifloor((today - series.meanDayNumber(0)) / kSynodicMonth);
    int lunarDay = 0;
    for (int t = std::max(-1, near - 2); t <= std::min(13, near + 2); ++t) {
        const int diff = today - series.dayNumber(t);
        if (diff >= 0 && diff <= 29) lunarDay = diff + 1;
    }
    return lunarDay;
}

int CYiDate::LunarMonthOf(int year, int month, int day) {
    const int ld = LunarDayOf(year, month, day);
    const int n = leapCountThrough(year);
    // Lunations since the epoch, 0.0338631929... = 1 / 29.530588.
    // counted from -849-01-21, near a new moon.
    const int epoch = DayNumber(-849, 1, 21);
    const int lunations = Round((DayNumber(year, month, day) - epoch - ld) * 0.033863192971301484);
    const int m = mod(lunations - n + EraOffset(year) - 3, 12) + 1;
    const int lp = LeapMonthOf(year), lq = LeapMonthOf(year - 1);

    if (m == lq && month == 1 && day < ld) return -m; // last year's leap month runs into January
    if (m == lp) {
        // Last year's twelfth month, still running in January or February.
        if ((month == 1 || m > month + 6) && lp != 12) return m + 1;
        // A year whose leap twelfth month stands at its end counts its first
        // month as 12 here; early in the solar year that is the first month.
        if (lp == 12 && month <= 3) return 1;
        return -m;
    }
    // A month numbered far below its solar month follows this year's leap
    // month already (the leap that ends a year begun in the winter).
    const bool afterLeap = m < month - 6;
    int r = m;
    if ((m < lp && !afterLeap) || (m > month && lp != 0)) r = m == 12 ? 1 : m + 1;
    if (lq == 12 && month < 3 && r == 12) return -12;
    if (lq == 12 && month == 1 && r == 11) return 12;
    return r;
}

int CYiDate::LeapMonthOf(int year) {
    const int i = year - tables::kLeapFirstYear;
    if (i < 0 || i >= tables::kLeapYears) return 0;
    const int b = tables::kLeapMonths[i];
    return b >= '1' ? b - '1' + 10 : b;
}

int CYiDate::EraOffset(int year) {
    for (const Era& e : kEras)
        if (year <= e.lastYear) return e.offset;
    return 0;
}

int CYiDate::LunarYearOf(int year, int month, int lunarMonth) {
    const int m = std::abs(lunarMonth);
    // Xia numbering: the months before the first month are last year's.
    if (EraOffset(year) == 0) return m > month ? year - 1 : year;
    // Years that began in another month (in winter, before or after 1
    // January) are named after the solar year they mostly cover: a month
    // numbered far above its solar month closes last year, one far below
    // opens next year.
    if (m > month + 6) return year - 1;
    if (m < month - 6) return year + 1;
    return year;
}

bool CYiDate::HasLunarCalendar(int year) { return year >= kFirstYear && year <= kLastYear; }

// ---------------------------------------------------------- lunar to solar

bool CYiDate::SearchLunarToSolar(int year, int month, int day, bool leap, SolarDate& out,
                                 std::string& message) {
    // A leap eleventh or twelfth month that begins in January may stand under
    // the next solar year while its dates belong to this lunar year.
    const bool leapListed = LeapMonthOf(year) != 0 || (month >= 11 && LeapMonthOf(year + 1) == month);
    if (leap && !leapListed) {
        message = "此年没有闰月";
        return false;
    }
    if (month < 1 || month > 12 || day < 1 || day > 30) {
        message = "不存在这个日期";
        return false;
    }
    // Read back through the Julian Day so that a day of the 1582 gap becomes
    // the real day it stands for.
    double j = ToJulianDay(SolarDate{i16(year), i16(month), i16(std::min(day, 28)), 0, 0});
    const SolarDate g = FromJulianDay(j);
    LunarDate q;
    SolarToLunar(g, q);
    // The estimate from the month difference assumes the Xia numbering; the
    // years numbered from another start scan from four months earlier.
    if (year < 1 || EraOffset(year) != 0)
        j -= 120;
    else
        j += mod(month - q.month, 12) * 28 + day - q.day - 30;
    // The first day from j on that carries the date asked for. A month number
    // recurs every year, so the match must also carry the lunar year. Within
    // a lunar month the day grows by one a day and the label changes at most
    // on the first of a solar month, so the scan skips the days that cannot
    // match without passing one that could.
    while (q.year - year < 2) {
        SolarDate s = FromJulianDay(j);
        const bool f = SolarToLunar(s, q);
        const bool rightMonth = q.month == month && f == leap && q.year == year;
        if (rightMonth && q.day == day) {
            out.year = s.year;
            out.month = s.month;
            out.day = s.day;
            return true;
        }
        const int skip = rightMonth && q.day < day ? day - q.day : std::max(1, 30 - q.day);
        const int nextMonth = s.month == 12 ? DayNumber(s.year + 1, 1, 1) : DayNumber(s.year, s.month + 1, 1);
        j += std::min(skip, nextMonth - DayNumber(s.year, s.month, s.day));
    }
    message = "不存在这个日期";
    return false;
}

} // namespace varrow
