// Years as typed and printed (historical: no year 0, -120 is 120 BC) and as
// held and computed (astronomical: 1 BC is 0).
#pragma once

namespace varrow {

constexpr int toStoredYear(int historical) { return historical < 0 ? historical + 1 : historical; }
constexpr int toHistoricalYear(int stored) { return stored < 1 ? stored - 1 : stored; }

} // namespace varrow
