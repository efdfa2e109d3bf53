// The leap months of the historical Chinese calendar, -849..2100 (generated,
// see tools/leap-months).
#pragma once

namespace varrow::tables {

constexpr int kLeapFirstYear = -849;
constexpr int kLeapYears = 2950;

// One byte per year from kLeapFirstYear: 0 for none, 1..9 for a leap month
// after that month, and the characters '1', '2', '3' for 10, 11 and 12. A
// leap month stands under its lunar year, so a leap twelfth month that
// begins in January stands under the solar year before.
extern const unsigned char kLeapMonths[kLeapYears];

} // namespace varrow::tables
