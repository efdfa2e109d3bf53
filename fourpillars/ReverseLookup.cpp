#include "fourpillars/ReverseLookup.h"

#include <cmath>

#include "fourpillars/BaziNames.h"

namespace varrow::bazi {
namespace {

constexpr const char* kStartYearMessage = "起始年必须在-850到2100年之间，并且没有公元0年\r\n"
                                          "注意：公元前用负数，比如公元前120年，就输入-120";

// Five tigers: the stem the year stem gives the month of branch b.
int monthStem(int yearStem, int b) { return (2 * (yearStem % 5) + mod(b - 3, 12) + 1) % 10; }
// Five rats: the stem the day stem gives the hour of branch b.
int hourStem(int dayStem, int b) { return mod(2 * (dayStem % 5) - 1 + mod(b - 1, 12), 10); }

double toJD(const SolarDate& d) { return CYiDate::ToJulianDay(d); }

} // namespace

bool choosePillars(const PillarChoice (&c)[4], FourPillars& out, std::string& message) {
    constexpr const char* kWhich[4] = {"年", "月", "日", "时"};
    GanZhi g[4];
    for (int k = 0; k < 4; ++k) {
        bool ok = c[k].stem % 2 == c[k].branch % 2;
        if (ok && k == 1) ok = c[1].stem == monthStem(c[0].stem, c[1].branch);
        if (ok && k == 3) ok = c[3].stem == hourStem(c[2].stem, c[3].branch);
        if (!ok) {
            message = std::string("不存在这个") + kWhich[k] + "柱！";
            return false;
        }
        g[k] = GanZhi::of(c[k].stem, c[k].branch);
    }
    out = FourPillars{g[0], g[1], g[2], g[3]};
    return true;
}

bool checkStartYear(long typed, std::string& message) {
    if (typed < -999 || typed > 2100 || typed == 0) {
        message = kStartYearMessage;
        return false;
    }
    return true;
}

std::optional<SolarDate> reverseLookup(const FourPillars& wanted, int startYearTyped) {
    int s = startYearTyped < 0 ? startYearTyped + 1 : startYearTyped;
    if (s < -850 || s > 2100 || s == 0) return std::nullopt;
    while (GanZhi(s + 897) != wanted.year) ++s;

    const int b = wanted.month.branch();
    const int g = mod(b - 3, 12) + 2 > 12 ? 1 : mod(b - 3, 12) + 2; // 寅 2 .. 子 12, 丑 1
    const int hour = 2 * mod(wanted.hour.branch() - 1, 12);         // 子 0, 丑 2 .. 亥 22
    for (; s < 2100; s += 60) {
        // The calendar starts at -849; a start below it waits for the next cycle.
        if (s < CYiDate::kFirstYear) continue;
        const int y = g == 1 ? s + 1 : s;
        SolarDate term;
        CYiDate::FindSolarTerm(y, g, 1, term);
        const double A = toJD(term);
        // The following first term; after September 1582 comes November.
        int ny = g == 12 ? y + 1 : y, nm = g == 12 ? 1 : g + 1;
        if (ny == 1582 && nm == 10) nm = 11;
        SolarDate next;
        CYiDate::SolarTerm(ny, nm, 1, next);
        const double B = toJD(next);

        const double startMidnight = toJD(SolarDate{term.year, term.month, term.day, 0, 0});
        const int startDay = static_cast<int>(std::floor(startMidnight - 1410960.5)) + 51;
        const int u = mod(wanted.day.value() - startDay, 60);
        if (u > std::floor(B - A)) continue;
        const double C = startMidnight + u + (hour * 60 + 5) / 1440.0;
        if (A <= C && C < B) return CYiDate::FromJulianDay(C);
    }
    return std::nullopt;
}

std::string reverseLookupText(const std::optional<SolarDate>& found) {
    if (!found) return "没有符合的八字，改变起始年反推，或许可以找到。\r\n\r\n";
    const SolarDate& d = *found;
    int y = d.year < 1 ? d.year - 1 : d.year;
    return "符合命例\r\n" + std::to_string(y) + "年" + std::to_string(d.month) + "月" +
           std::to_string(d.day) + "日" + std::to_string(d.hour) + "时\r\n\r\n";
}

} // namespace varrow::bazi
