#include "shell/ChartRequest.h"

#include <array>

namespace varrow {
namespace {

constexpr std::array<std::string_view, kChartKindCount> kStoreNames = {"bazi",  "ziwei", "xming", "liuyao",
                                                                       "qimen", "jkj",   "liuren"};
constexpr std::array<std::string_view, kChartKindCount> kTabCaptions = {
    "子平八字", "紫微斗数", "中国星命", "八卦六爻", "奇门遁甲", "金口诀", "大六壬"};

} // namespace

std::string_view storeName(ChartKind kind) { return kStoreNames[static_cast<int>(kind)]; }
std::string_view tabCaption(ChartKind kind) { return kTabCaptions[static_cast<int>(kind)]; }

std::optional<ChartKind> chartKindFromStoreName(std::string_view name) {
    for (int i = 0; i < kChartKindCount; ++i)
        if (kStoreNames[i] == name) return static_cast<ChartKind>(i);
    return std::nullopt;
}

std::optional<ChartKind> chartKindFromIndex(int index) {
    if (index < 0 || index >= kChartKindCount) return std::nullopt;
    return static_cast<ChartKind>(index);
}

ChartRequest::ChartRequest() {
    setName("某人");
    setPlace("未知");
    setQuestion("关心的事情。");
    setCastMethod("其它方式");
    setPrimaryLines("222131");
    setChangedLines("222121");
}

} // namespace varrow
