#include "chart/RequestMoment.h"

namespace varrow {
namespace {

constexpr const char* kYearRange = "年份必须在-850到2100年之间，并且没有公元0年\r\n"
                                   "注意：公元前用负数，比如公元前120年，就输入-120";
constexpr const char* kGregorianGap = "不存在1582-10-5到1582-10-14这10天时间。";

} // namespace

ChartMoment momentOf(const ChartRequest& r) {
    ChartMoment m;
    m.year = r.year, m.month = r.month, m.day = r.day, m.hour = r.hour, m.minute = r.minute;
    m.isLunar = r.isLunar;
    m.isLeapMonth = r.isLeapMonth;
    m.longitude = r.longitude;
    m.useTrueSolarTime = r.useTrueSolarTime;
    return m;
}

bool checkChartDate(const ChartRequest& r, std::string& error) {
    if (r.year < CYiDate::kFirstYear || r.year > CYiDate::kLastYear) return error = kYearRange, false;
    if (!r.isLunar && r.year == 1582 && r.month == 10 && r.day >= 5 && r.day <= 14)
        return error = kGregorianGap, false;
    return true;
}

bool resolveRequestMoment(const ChartRequest& request, MomentVariant variant, ChartMoment& moment,
                          std::string& error, bool lateZi) {
    if (!checkChartDate(request, error)) return false;
    moment = momentOf(request);
    moment.lateZi = lateZi;
    if (!ResolveChartMoment(moment, variant)) return error = moment.message, false;
    return true;
}

} // namespace varrow
