// Dates as the CLI and the JSON models print them, years in historical form.
#pragma once

#include <string>

#include "calendar/Yidate.h"

namespace varrow {

std::string formatDate(const SolarDate& d);     // Y-MM-DD
std::string formatDateTime(const SolarDate& d); // Y-MM-DD HH:MM

} // namespace varrow
