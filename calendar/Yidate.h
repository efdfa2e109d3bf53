// The calendar service: civil dates and day numbers, the Chinese lunar
// calendar, the 24 solar terms, the sexagenary cycle and true solar time.
// Stateless: every operation is a pure function of its arguments and of
// constant tables, so all members are static.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/GanZhi.h"

namespace varrow {

// A civil date and clock time. Years are astronomical (0 is 1 BC); Julian
// calendar before 1582-10-15, Gregorian from then on.
struct SolarDate {
    std::int16_t year = 2000;
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;

    friend bool operator==(const SolarDate&, const SolarDate&) = default;
};

// A Chinese lunar date: month 1..12 with a leap flag, day 1..30.
struct LunarDate {
    std::int16_t year = 2000;
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    bool leap = false;

    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// The four pillars of a moment, and the Julian Days of the solar-term
// boundaries around the month pillar (the luck cycles count from them).
struct PillarResult {
    FourPillars pillars;
    double monthStartJD = 0;   // first term that opened the month
    double nextBoundaryJD = 0; // first term that closes it
};

class CYiDate {
public:
    // First and last astronomical year of the whole system.
    static constexpr int kFirstYear = -849;
    static constexpr int kLastYear = 2100;
    // Years covered by the precomputed tables.
    static constexpr int kTableFirstYear = 1900;
    static constexpr int kTableLastYear = 2050;

    // --- civil dates and day numbers ---
    static double ToJulianDay(const SolarDate& d);
    static void FromJulianDay(double jd, SolarDate& out);
    static SolarDate FromJulianDay(double jd);
    static void NextDay(SolarDate& d);
    static bool IsValidSolar(const SolarDate& d);
    static int Weekday(const SolarDate& d);
    static int DayOfYear(int year, int month, int day);
    static int DayNumber(int year, int month, int day);
    static int MonthDayFromDayOfYear(int year, int n);
    static int Round(double x);
    // Leap-year rule of the calendar in force: Julian up to 1582, Gregorian after.
    static bool IsLeapYear(int year);
    // Days in a month of the calendar in force (October 1582 reports 31; the
    // ten missing days are the caller's concern).
    static int MonthLength(int year, int month);

    // --- lunar calendar and solar terms ---
    // Moment of the first (which == 1) or second term of Gregorian month M;
    // returns the term index of the term found (M within the table years).
    static int SolarTerm(int year, int month, int which, SolarDate& out);
    // Walks months until the term with index k of the year is found.
    static void FindSolarTerm(int year, int k, int which, SolarDate& out);
    // Fills out (hour and minute copied) and returns its leap flag.
    static bool SolarToLunar(const SolarDate& d, LunarDate& out);
    // Lunar year, month and day of in with the given leap flag; false with a
    // message when no such date exists.
    static bool LunarToSolar(const LunarDate& in, bool leap, SolarDate& out, std::string& message);
    // GanZhi number whose stem is s (0..9) and branch b (0..11); same parity.
    static int GanZhiIndex(int stem, int branch);
    // Pillar rules: clock moment (UTC+8) with its Julian Day, local moment
    // (clock or true solar time), late-Zi setting (23:xx keeps the day).
    static PillarResult Pillars(const SolarDate& clock, double clockJD, const SolarDate& local, bool lateZi);

    // --- true solar time ---
    static void ToTrueSolarTime(float longitude, SolarDate& d);
    // Equation of time (apparent minus mean) in minutes, index 0 = 1 January.
    static double EquationOfTime(int dayIndex);

    // --- names ---
    // 一 .. 三十, as lunar months and days are named.
    static std::string NumeralName(int n);

    // --- computed calendar outside the table years ---
    static int ComputeSolarTerm(int year, int month, int which, SolarDate& out);
    static double TermDayOfYear(int year, int n);
    // Date and time of term number n (1..24) of a computed year.
    static void ComputeTermMoment(int year, int n, SolarDate& out);
    static int LunarDayOf(int year, int month, int day);
    static int LunarMonthOf(int year, int month, int day);
    static bool SearchLunarToSolar(int year, int month, int day, bool leap, SolarDate& out, std::string& message);
    static int LeapMonthOf(int year);
    static int EraOffset(int year);
    // Lunar year of a date of the computed years in solar month `month`
    // whose lunar month is `lunarMonth` (negative for a leap month).
    static int LunarYearOf(int year, int month, int lunarMonth);
    // True while a year lies where the calendar can convert it.
    static bool HasLunarCalendar(int year);
};

} // namespace varrow
