#include "cli/RequestOptions.h"

#include <ctime>

namespace varrow::cli {
namespace {

// Degrees ":" minutes, the minutes taking the sign of the degrees.
bool parseDegrees(const std::string& text, float& value) {
    auto colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size()) return false;
    auto deg = parseInt(text.substr(0, colon));
    auto min = parseInt(text.substr(colon + 1));
    if (!deg || !min || *min < 0 || *min > 59) return false;
    bool negative = text[0] == '-';
    value = static_cast<float>(*deg) + (negative ? -1.0f : 1.0f) * static_cast<float>(*min) / 60.0f;
    return true;
}

} // namespace

bool readMomentOptions(const Options& o, ChartMoment& m, std::string& error) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SolarDate d{static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
                static_cast<std::int16_t>(local.tm_mday), static_cast<std::int16_t>(local.tm_hour),
                static_cast<std::int16_t>(local.tm_min)};
    if (d.year > CYiDate::kLastYear) d.year = CYiDate::kLastYear;
    if (auto date = o.value("--date")) {
        auto parsed = parseDate(*date);
        if (!parsed) {
            error = "年份必须在-850到2100年之间，并且没有公元0年";
            return false;
        }
        d.year = parsed->year, d.month = parsed->month, d.day = parsed->day;
    }
    if (auto time = o.value("--time"); time && !parseTime(*time, d)) {
        error = "时间格式应为 HH:MM";
        return false;
    }
    m.year = d.year, m.month = d.month, m.day = d.day, m.hour = d.hour, m.minute = d.minute;
    m.isLunar = o.flag("--lunar");
    m.isLeapMonth = m.isLunar && o.flag("--leap");
    m.useTrueSolarTime = o.flag("--true-solar");
    m.lateZi = o.flag("--late-zi");
    m.longitude = 120.5f;
    if (auto lon = o.value("--lon"); lon && !parseDegrees(*lon, m.longitude)) {
        error = "经度在-180至180之间";
        return false;
    }
    return true;
}

} // namespace varrow::cli
