#include "calendar/ChartMoment.h"

namespace varrow {
namespace {

bool inSpan(int year) { return year >= CYiDate::kFirstYear && year <= CYiDate::kLastYear; }

} // namespace

bool ResolveChartMoment(ChartMoment& m, MomentVariant variant) {
    m.message.clear();
    SolarDate entered{m.year, m.month, m.day, m.hour, m.minute};
    if (m.isLunar) {
        LunarDate lunar{m.year, m.month, m.day, m.hour, m.minute, m.isLeapMonth};
        SolarDate solar;
        if (!CYiDate::LunarToSolar(lunar, m.isLeapMonth, solar, m.message)) return false;
        m.solar = solar;
        if (!inSpan(m.solar.year)) {
            m.message = "时间越界，年份在-850到2100之间";
            return false;
        }
    } else {
        if (!CYiDate::IsValidSolar(entered)) {
            m.message = "不存在这个日期";
            return false;
        }
        m.solar = entered;
    }
    m.clock = m.solar;
    m.clockJD = variant == MomentVariant::PurpleStar ? 0.0 : CYiDate::ToJulianDay(m.clock);
    if (m.useTrueSolarTime) CYiDate::ToTrueSolarTime(m.longitude, m.solar);

    // The lunar date of the hour 23:00-23:59 is the next day's, unless the
    // late-Zi setting keeps the day (Four Pillars only).
    SolarDate t = m.solar;
    bool moves = variant == MomentVariant::FourPillars ? !m.lateZi : true;
    if (t.hour == 23 && moves) CYiDate::NextDay(t);
    if (!inSpan(t.year)) {
        m.message = "公、农历正常转换年份在-850到2100之间";
        return false;
    }
    m.isLeapMonth = CYiDate::SolarToLunar(t, m.lunar);
    return true;
}

} // namespace varrow
