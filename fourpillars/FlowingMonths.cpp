#include "fourpillars/FlowingMonths.h"

#include <cmath>

#include "calendar/Yidate.h"
#include "fourpillars/BaziNames.h"

namespace varrow::bazi {
namespace {

std::string num(int n) { return std::to_string(n); }

int historical(int y) { return y < 1 ? y - 1 : y; }

std::string dateTime(const SolarDate& d) {
    return num(historical(d.year)) + "年" + num(d.month) + "月" + num(d.day) + "日" + num(d.hour) + "时" +
           num(d.minute) + "分";
}

// The first term of Gregorian month m of year y (m may run past 12).
SolarDate firstTerm(int y, int m) {
    SolarDate t;
    CYiDate::SolarTerm(y + (m - 1) / 12, (m - 1) % 12 + 1, 1, t);
    return t;
}

double midnight(const SolarDate& d) { return CYiDate::ToJulianDay(SolarDate{d.year, d.month, d.day, 0, 0}); }

// The day pillar rule: days since the epoch plus 51.
GanZhi dayPillar(double midnightJD) {
    return GanZhi(static_cast<int>(std::floor(midnightJD - 1410960.5)) + 51);
}

} // namespace

std::vector<std::string> flowingYearList(int birthYear, int startAge) {
    std::vector<std::string> out;
    for (int i = 0; i <= startAge + 78; ++i) {
        int y = birthYear + i;
        out.push_back(num(historical(y)) + "年-" + GanZhi(mod(y - 1563, 60)).name() + "(" + num(i + 1) +
                      "岁)");
    }
    return out;
}

bool flowingMonthTree(int year, std::vector<MonthNode>& months, std::string& message) {
    months.clear();
    if (year < 1900 || year > 2099) {
        message = "流月、流日查看的年份在1900-2100年之间";
        return false;
    }
    const int yearStem = GanZhi(year + 897).stem();
    GanZhi monthPillar = GanZhi::of((2 * yearStem + 1) % 10, 3); // the 寅 month
    for (int j = 0; j < 12; ++j, monthPillar = GanZhi(monthPillar.value() + 1)) {
        SolarDate start = firstTerm(year, j + 2), end = firstTerm(year, j + 3);
        MonthNode node;
        node.text = num(j + 1) + "月-" + monthPillar.name() + " " + dateTime(start) + "-" + dateTime(end);
        const double last = midnight(end);
        for (double jd = midnight(start); jd < last; jd += 1) {
            SolarDate d = CYiDate::FromJulianDay(jd);
            node.days.push_back(num(d.month) + "月" + num(d.day) + "日-" + dayPillar(jd).name());
        }
        months.push_back(std::move(node));
    }
    return true;
}

} // namespace varrow::bazi
