// Prints what the computed calendar makes of every day of -849..2101, one
// line per day, for tools/leap-months/generate.mjs:
//   day number, year, month, day, lunar day, lunations since -849-01-21,
//   then SolarToLunar's lunar year, month and leap flag.
// Lines starting with "T" give each year's day numbers of the twelve
// principal terms (term numbers 2, 4, ..., 24) from TermDayOfYear.
#include <cmath>
#include <cstdio>

#include "calendar/Yidate.h"

using varrow::CYiDate;
using varrow::LunarDate;
using varrow::SolarDate;

int main() {
    const int epoch = CYiDate::DayNumber(-849, 1, 21);
    for (int y = CYiDate::kFirstYear; y <= CYiDate::kLastYear + 1; ++y) {
        std::printf("T\t%d", y);
        for (int n = 2; n <= 24; n += 2)
            std::printf("\t%d", CYiDate::DayNumber(y, 1, 0) +
                                    static_cast<int>(std::floor(CYiDate::TermDayOfYear(y, n))));
        std::printf("\n");
    }
    SolarDate d{static_cast<std::int16_t>(CYiDate::kFirstYear), 1, 1, 0, 0};
    while (d.year <= CYiDate::kLastYear + 1) {
        const int dn = CYiDate::DayNumber(d.year, d.month, d.day);
        const int ld = CYiDate::LunarDayOf(d.year, d.month, d.day);
        const int lunations = CYiDate::Round((dn - epoch - ld) * 0.033863192971301484);
        LunarDate l;
        const bool leap = CYiDate::SolarToLunar(d, l);
        std::printf("%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", dn, d.year, d.month, d.day, ld, lunations,
                    l.year, l.month, leap ? 1 : 0, l.day);
        CYiDate::NextDay(d);
    }
    return 0;
}
