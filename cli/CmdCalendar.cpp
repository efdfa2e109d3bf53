// Calendar commands: days, terms, solar2lunar, lunar2solar, today.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "calendar/ChartMoment.h"
#include "calendar/Yidate.h"
#include "cli/CliUtil.h"

namespace varrow::cli {
namespace {

constexpr const char* kNoDate = "不存在这个日期";

bool usable(const SolarDate& d) { return CYiDate::IsValidSolar(d) && CYiDate::HasLunarCalendar(d.year); }

std::string rangeMessage() { return "公、农历正常转换年份在-850到2100之间"; }

// Lunar date of the chart moment at this clock time, and its pillars.
struct DayInfo {
    LunarDate lunar;
    FourPillars pillars;
};

// False when the day that names the lunar date has no lunar calendar.
bool dayInfo(const SolarDate& d, bool lateZi, DayInfo& info) {
    SolarDate t = d;
    if (t.hour == 23 && !lateZi) CYiDate::NextDay(t);
    if (!CYiDate::HasLunarCalendar(t.year)) return false;
    CYiDate::SolarToLunar(t, info.lunar);
    info.pillars = CYiDate::Pillars(d, CYiDate::ToJulianDay(d), d, lateZi).pillars;
    return true;
}

std::string lunarName(const LunarDate& l) {
    std::string s = std::to_string(toHistorical(l.year)) + "年";
    if (l.leap) s += "闰";
    s += l.month == 1 ? "正" : CYiDate::NumeralName(l.month);
    s += "月";
    if (l.day <= 10) s += "初";
    s += CYiDate::NumeralName(l.day);
    return s;
}

} // namespace

int cmdDays(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    if (o.positional().size() != 2) return fail("usage: varrow-cli days FROM TO [--time HH:MM] [--late-zi]");
    auto from = parseDate(o.positional()[0]);
    auto to = parseDate(o.positional()[1]);
    if (!from || !to || !CYiDate::IsValidSolar(*from) || !CYiDate::IsValidSolar(*to)) return fail(kNoDate);
    if (!usable(*from) || !usable(*to)) return fail(rangeMessage());
    SolarDate t = *from;
    if (auto time = o.value("--time"); time && !parseTime(*time, t)) return fail("时间格式应为 HH:MM");
    const bool lateZi = o.flag("--late-zi");
    const double end = CYiDate::ToJulianDay(SolarDate{to->year, to->month, to->day, t.hour, t.minute});
    std::string buf;
    buf.reserve(1 << 16);
    for (double jd = CYiDate::ToJulianDay(t); jd <= end + 1e-6; jd += 1) {
        SolarDate d = CYiDate::FromJulianDay(jd);
        DayInfo info;
        if (!dayInfo(d, lateZi, info)) { // 23:xx of the last day belongs to a day beyond the calendar
            out(buf);
            return fail(rangeMessage());
        }
        char row[160];
        int n = std::snprintf(row, sizeof row, "%s\t%d\t%d\t%d\t%d\t%d\t%s\t%s\t%s\t%s\n",
                              formatDate(d).c_str(), CYiDate::Weekday(d), toHistorical(info.lunar.year),
                              info.lunar.month, info.lunar.leap ? 1 : 0, info.lunar.day,
                              info.pillars.year.name().c_str(), info.pillars.month.name().c_str(),
                              info.pillars.day.name().c_str(), info.pillars.hour.name().c_str());
        buf.append(row, n);
        if (buf.size() > (1 << 16) - 200) {
            out(buf);
            buf.clear();
        }
    }
    out(buf);
    return 0;
}

int cmdTerms(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    if (o.positional().size() != 2) return fail("usage: varrow-cli terms FROM_YEAR TO_YEAR");
    auto y0 = parseInt(o.positional()[0]), y1 = parseInt(o.positional()[1]);
    if (!y0 || !y1 || *y0 == 0 || *y1 == 0) return fail("年份必须是不为0的整数");
    int from = toAstronomical(*y0), to = toAstronomical(*y1);
    if (from < CYiDate::kFirstYear || to > CYiDate::kLastYear || !CYiDate::HasLunarCalendar(from) ||
        !CYiDate::HasLunarCalendar(to))
        return fail(rangeMessage());
    std::string buf;
    for (int y = from; y <= to; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int which = 1; which <= 2; ++which) {
                SolarDate t;
                CYiDate::FindSolarTerm(y, m, which, t);
                char row[96];
                int n = std::snprintf(row, sizeof row, "%d\t%d\t%d\t%.*s\t%s\n", toHistorical(y), m, which,
                                      int(names::termName(m, which).size()), names::termName(m, which).data(),
                                      formatDateTime(t).c_str());
                buf.append(row, n);
            }
    out(buf);
    return 0;
}

int cmdSolarToLunar(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    if (o.positional().size() != 1) return fail("usage: varrow-cli solar2lunar YYYY-MM-DD");
    auto d = parseDate(o.positional()[0]);
    if (!d || !CYiDate::IsValidSolar(*d)) return fail(kNoDate);
    if (!usable(*d)) return fail(rangeMessage());
    LunarDate l;
    bool leap = CYiDate::SolarToLunar(*d, l);
    std::printf("%d\t%d\t%d\t%d\n", toHistorical(l.year), l.month, leap ? 1 : 0, l.day);
    return 0;
}

int cmdLunarToSolar(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    if (o.positional().size() != 3) return fail("usage: varrow-cli lunar2solar Y M D [--leap]");
    auto y = parseInt(o.positional()[0]), m = parseInt(o.positional()[1]), d = parseInt(o.positional()[2]);
    if (!y || !m || !d || *y == 0 || *m < 1 || *m > 12 || *d < 1) return fail("不存在这个日期,请重新输入！");
    int year = toAstronomical(*y);
    if (year < CYiDate::kFirstYear || year > CYiDate::kLastYear) return fail(rangeMessage());
    LunarDate l;
    l.year = static_cast<std::int16_t>(year);
    l.month = static_cast<std::int16_t>(*m);
    l.day = static_cast<std::int16_t>(*d);
    SolarDate s;
    std::string message;
    if (!CYiDate::LunarToSolar(l, o.flag("--leap"), s, message)) return fail(message);
    out(formatDate(s) + "\n");
    return 0;
}

int cmdToday(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SolarDate d{static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
                static_cast<std::int16_t>(local.tm_mday), static_cast<std::int16_t>(local.tm_hour),
                static_cast<std::int16_t>(local.tm_min)};
    if (d.year > CYiDate::kLastYear) d.year = CYiDate::kLastYear;
    ChartMoment m;
    m.year = d.year, m.month = d.month, m.day = d.day, m.hour = d.hour, m.minute = d.minute;
    if (!ResolveChartMoment(m)) return fail(m.message);
    FourPillars p = CYiDate::Pillars(m.clock, m.clockJD, m.solar, false).pillars;
    std::string text = "VarrowV2.5\n\n";
    char line[256];
    std::snprintf(line, sizeof line, "公历: %s 星期%.*s\n", formatDateTime(d).c_str(),
                  int(names::weekdays[CYiDate::Weekday(d)].size()),
                  names::weekdays[CYiDate::Weekday(d)].data());
    text += line;
    text += "农历: " + lunarName(m.lunar) + " " + std::string(names::branches[names::hourBranch(d.hour)]) +
            "时\n";
    text +=
        "四柱: " + p.year.name() + " " + p.month.name() + " " + p.day.name() + " " + p.hour.name() + "\n\n";
    text += "本月节气:\n";
    for (int which = 1; which <= 2; ++which) {
        SolarDate t;
        CYiDate::SolarTerm(d.year, d.month, which, t);
        text += "  " + std::string(names::termName(d.month, which)) + "  " + formatDateTime(t) + "\n";
    }
    text += "\n更多: varrow-cli --help\n";
    out(text);
    return 0;
}

} // namespace varrow::cli
