#include "chart/DateText.h"

#include <cstdio>

#include "calendar/HistoricalYear.h"

namespace varrow {

std::string formatDate(const SolarDate& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d-%02d-%02d", toHistoricalYear(d.year), d.month, d.day);
    return buf;
}

std::string formatDateTime(const SolarDate& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, " %02d:%02d", d.hour, d.minute);
    return formatDate(d) + buf;
}

} // namespace varrow
