#pragma once

namespace varrow::tables {
// Equation of time (apparent minus mean solar time) in minutes for each day
// index of the year, 0 = 1 January (generated, see tools/eot).
extern const double kEquationOfTime[366];
} // namespace varrow::tables
