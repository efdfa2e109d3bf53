// The common first step of every chart: the entered date (solar, or lunar
// with a leap flag) checked, turned into a solar date, optionally moved to
// true solar time, and given its lunar date.
#pragma once

#include <string>

#include "calendar/Yidate.h"

namespace varrow {

struct ChartMoment {
    // Input, as entered (year astronomical; lunar fields when isLunar).
    std::int16_t year = 2000, month = 1, day = 1, hour = 0, minute = 0;
    bool isLunar = false;
    bool isLeapMonth = false; // out: the leap flag of the resulting lunar date
    float longitude = 120.5f;
    bool useTrueSolarTime = false;
    bool lateZi = false; // Four Pillars only: 23:xx keeps the day

    // Output.
    SolarDate solar;      // chart time: true solar time when asked, else clock time
    LunarDate lunar;      // lunar date of the chart
    SolarDate clock;      // UTC+8 clock time before any true-solar correction
    double clockJD = 0;   // Julian Day of clock
    std::string message;  // empty on success
};

// How the engines differ in the shared steps.
enum class MomentVariant {
    FourPillars, // keeps clockJD; 23:xx moves the lunar date unless lateZi
    PurpleStar,  // clockJD not computed; 23:xx always moves the lunar date
    Question,    // Liu Yao, Qi Men, Jin Kou Jue, Da Liu Ren: clockJD kept, 23:xx moves
    StarFate,    // Seven Governors: resolves its moments itself; here as Question
};

// True on success; false with the reason in m.message.
bool ResolveChartMoment(ChartMoment& m, MomentVariant variant = MomentVariant::FourPillars);

} // namespace varrow
