// The precomputed calendar of 1900..2050 (generated, see tools/lunar-tables).
// Index [year - 1900][month - 1].
#pragma once

#include <cstdint>

namespace varrow::tables {

// Low half: first term of the month, high half: second term; each half holds
// day in bits 0-4, hour in bits 5-9, minute in bits 10-15 (UTC+8).
extern const std::uint32_t kTermWords[151][12];
// Per solar month, low 16 bits: D0 bits 0-4 (a lunar month starts on D0 + 1),
// its month offset bits 5-6 and leap flag bit 7; the month running on day 1:
// day offset bits 8-12, month offset bits 13-14, leap flag bit 15. A solar
// month that touches three lunar months (1902-10: the 1st ends one, the 2nd
// and the 31st begin two more) carries the last start in bits 16-23: D1 bits
// 16-20 (a month starts on D1 + 1), month offset bits 21-22, leap bit 23;
// D1 = 0 everywhere else.
extern const std::uint32_t kSolarToLunarWords[151][12];
// Per lunar month, low half: the ordinary month, high half: its leap month
// (bit 31 set when it exists). Each half: C0 bits 0-4, A0 bits 5-6, 30-day
// flag bit 7, G bits 8-12, A1 bits 13-14.
extern const std::uint32_t kLunarToSolarWords[151][12];

} // namespace varrow::tables
