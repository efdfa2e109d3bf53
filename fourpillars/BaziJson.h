// The computed model of a Four Pillars chart as json, values as the report
// prints them and years in historical form.
#pragma once

#include <nlohmann/json.hpp>

#include "fourpillars/BaziChart.h"

namespace varrow::bazi {

nlohmann::ordered_json baziJson(const bazi::BaziChart& chart);

} // namespace varrow::bazi
