#include "fourpillars/BaziChart.h"

#include <cmath>

#include "fourpillars/BaziNames.h"
#include "fourpillars/SymbolicStars.h"

namespace varrow::bazi {
namespace {

constexpr int kMinutesPerYear = 4320; // three days
constexpr int kMinutesPerMonth = 360; // six hours
constexpr int kMinutesPerDay = 12;

LuckCycles luckCycles(const BaziChart& c) {
    LuckCycles luck;
    bool yangYear = c.pillars.year.value() % 2 == 1;
    luck.forward = c.male == yangYear;
    // Both ends are whole minutes, so the rounded difference is exact.
    double span = luck.forward ? c.nextBoundaryJD - c.clockJD : c.clockJD - c.monthStartJD;
    splitLuckMinutes(static_cast<int>(std::lround(span * 1440.0)), luck);

    SolarDate d = c.solar;
    int month = d.month + luck.months;
    int year = d.year + luck.years + (month - 1) / 12;
    d.month = static_cast<std::int16_t>((month - 1) % 12 + 1);
    d.year = static_cast<std::int16_t>(year);
    luck.startDate = CYiDate::FromJulianDay(CYiDate::ToJulianDay(d) + luck.days);
    luck.startAge = luck.startDate.year - c.solar.year + 1;
    for (int k = 1; k <= 8; ++k)
        luck.pillars[k - 1] = GanZhi(c.pillars.month.value() + (luck.forward ? k : -k));
    return luck;
}

// The sign changes at each 中气: find the one of the clock's month.
int westernSign(const BaziChart& c) {
    SolarDate term;
    int i = CYiDate::SolarTerm(c.clock.year, c.clock.month, 2, term);
    int after = c.clockJD >= CYiDate::ToJulianDay(term) ? 1 : 0;
    return mod(i + after + 8, 12);
}

} // namespace

void splitLuckMinutes(int minutes, LuckCycles& luck) {
    luck.minutes = minutes;
    luck.years = minutes / kMinutesPerYear;
    luck.months = minutes % kMinutesPerYear / kMinutesPerMonth;
    luck.days = minutes % kMinutesPerYear % kMinutesPerMonth / kMinutesPerDay;
}

BaziChart computeBaziChart(const ChartMoment& moment, bool male, bool lateZi) {
    BaziChart c;
    c.solar = moment.solar;
    c.clock = moment.clock;
    c.clockJD = moment.clockJD;
    c.lunar = moment.lunar;
    c.leapMonth = moment.isLeapMonth;
    c.male = male;

    PillarResult p = CYiDate::Pillars(moment.clock, moment.clockJD, moment.solar, lateZi);
    c.pillars = p.pillars;
    c.monthStartJD = p.monthStartJD;
    c.nextBoundaryJD = p.nextBoundaryJD;

    c.luck = luckCycles(c);
    c.fetalOrigin = fetalOrigin(c.pillars.month);
    c.lifePalace = lifePalace(c.pillars.year, c.pillars.month, c.pillars.hour);
    const GanZhi each[4] = {c.pillars.year, c.pillars.month, c.pillars.day, c.pillars.hour};
    for (int k = 0; k < 4; ++k) c.stars[k] = SymbolicStars(c.pillars, each[k], k);
    c.dayOnlyStars = DayOnlyStars(c.pillars.day, c.pillars.month);
    c.wonders = threeWonders(c.pillars);
    c.sign = westernSign(c);
    long day = static_cast<long>(std::floor(CYiDate::ToJulianDay(c.solar) - 1410960.5));
    c.mansion = mod(static_cast<int>(day % 28) + 25, 28);
    return c;
}

} // namespace varrow::bazi
