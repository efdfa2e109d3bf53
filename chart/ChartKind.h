// The index of a chart kind, shared by the tabs, the record store and the
// history lists; the kinds' facts are in the registry (ChartKinds.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace varrow {

enum class ChartKind : std::uint8_t { Bazi = 0, Ziwei, Xming, Liuyao, Qimen, Jkj, Liuren };
inline constexpr int kChartKindCount = 7;

std::string_view storeName(ChartKind kind);  // "bazi" ...
std::string_view tabCaption(ChartKind kind); // "子平八字" ...
std::optional<ChartKind> chartKindFromStoreName(std::string_view name);
std::optional<ChartKind> chartKindFromIndex(int index);
// Kinds 0..2 chart a birth, 3..6 a question.
constexpr bool isBirthKind(ChartKind kind) { return static_cast<int>(kind) < 3; }

} // namespace varrow
