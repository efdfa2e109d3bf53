// The computed Chinese calendar for the years outside the tables.
// Temporary: until it lands, only the table years have a lunar calendar.
#include "calendar/Yidate.h"

namespace varrow {

int CYiDate::ComputeSolarTerm(int year, int month, int /*which*/, SolarDate& out) {
    out = SolarDate{static_cast<std::int16_t>(year), static_cast<std::int16_t>(month), 1, 0, 0};
    return month;
}
double CYiDate::TermDayOfYear(int, int) { return 0; }
int CYiDate::LunarDayOf(int, int, int) { return 1; }
int CYiDate::LunarMonthOf(int, int month, int) { return month; }
bool CYiDate::SearchLunarToSolar(int, int, int, bool, SolarDate&, std::string& message) {
    message = "此年份的农历尚未计算";
    return false;
}
int CYiDate::LeapMonthOf(int) { return 0; }
int CYiDate::EraOffset(int) { return 0; }
bool CYiDate::HasLunarCalendar(int year) { return year >= kTableFirstYear && year <= kTableLastYear; }

} // namespace varrow
