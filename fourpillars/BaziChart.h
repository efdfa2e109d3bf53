// Everything a Four Pillars reading derives from a resolved chart moment:
// the computed model the report, the command-line json and the tools share.
#pragma once

#include <array>
#include <string>

#include "calendar/ChartMoment.h"
#include "calendar/GanZhi.h"
#include "calendar/Yidate.h"

namespace varrow::bazi {

struct LuckCycles {
    bool forward = true;
    int minutes = 0; // from the birth to the month boundary the luck counts to
    int years = 0, months = 0, days = 0;
    SolarDate startDate; // first luck cycle begins
    int startAge = 1;    // nominal age at startDate
    std::array<GanZhi, 8> pillars;
};

struct BaziChart {
    SolarDate solar; // chart time (true solar time when asked)
    SolarDate clock; // UTC+8
    double clockJD = 0;
    LunarDate lunar;
    bool leapMonth = false;
    bool male = true;

    FourPillars pillars;
    double monthStartJD = 0;
    double nextBoundaryJD = 0;

    LuckCycles luck;
    GanZhi fetalOrigin, lifePalace;
    std::array<std::string, 4> stars; // per pillar, each name followed by a blank
    std::string dayOnlyStars;
    int wonders = 0; // 0 none, else kWonderNames
    int sign = 0;    // index of kSigns
    int mansion = 0; // index of kMansions

    int birthYear() const { return solar.year; } // astronomical
    // First year of luck cycle k (0-based), astronomical.
    int cycleYear(int k) const { return birthYear() + luck.startAge - 1 + 10 * k; }
    int cycleAge(int k) const { return luck.startAge + 10 * k; }
    // Year pillar of an astronomical year, as the flowing years print it.
    static GanZhi yearPillar(int year) { return GanZhi(year + 897); }
    // Small-luck pillar of a nominal age.
    GanZhi smallLuck(int age) const { return GanZhi(pillars.hour.value() + (luck.forward ? age : -age)); }
};

// Luck years, months and days from the minutes to the boundary (three days
// make a year, six hours a month, twelve minutes a day).
void splitLuckMinutes(int minutes, LuckCycles& luck);

// Derives the whole chart from a resolved moment. lateZi is the setting the
// moment was resolved with.
BaziChart computeBaziChart(const ChartMoment& moment, bool male, bool lateZi);

} // namespace varrow::bazi
