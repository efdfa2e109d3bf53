// The input of every chart: one plain record for all seven chart kinds.
// Text fields are zero-terminated GBK byte arrays of fixed size; the
// accessors take and give UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/HistoricalYear.h"
#include "chart/ChartKind.h"
#include "chart/FixedField.h"

namespace varrow {

struct ChartRequest {
    char name[11] = {};
    char place[25] = {};
    char question[41] = {};
    char castMethod[9] = {};
    std::int16_t year = 2000; // astronomical: 1 BC is 0
    std::int16_t month = 1;   // solar or lunar month, as isLunar says
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int8_t timeZone = 8; // index in the time-zone list, 8 = 东八区
    bool isLunar = false;
    bool isLeapMonth = false;
    bool isMale = true;
    std::int16_t province = 34; // 34 = 未知地
    std::int16_t city = 0;
    float longitude = 120.5f; // degrees, east positive
    float latitude = 30.0f;   // degrees, north positive
    char primaryLines[7] = {};
    char changedLines[7] = {};
    std::uint8_t nobleMode = 0;
    std::uint8_t diFen = 1;   // branch, 子 = 1 .. 亥 = 0
    std::uint8_t zhanShi = 1; // branch, same numbering
    std::int16_t birthYear = 1978;
    std::uint8_t otherStart = 0;
    std::uint8_t otherStartArgs[2][3] = {};
    bool useTrueSolarTime = false;
    bool writeReport = true;

    // The panel's defaults: 某人, 未知, "关心的事情。", "其它方式", "222131" / "222121".
    ChartRequest();

    void setName(std::string_view utf8) { setFixed(name, utf8); }
    void setPlace(std::string_view utf8) { setFixed(place, utf8); }
    void setQuestion(std::string_view utf8) { setFixed(question, utf8); }
    void setCastMethod(std::string_view utf8) { setFixed(castMethod, utf8); }
    void setPrimaryLines(std::string_view code) { setFixed(primaryLines, code); }
    void setChangedLines(std::string_view code) { setFixed(changedLines, code); }

    std::string nameText() const { return getFixed(name); }
    std::string placeText() const { return getFixed(place); }
    std::string questionText() const { return getFixed(question); }
    std::string castMethodText() const { return getFixed(castMethod); }
    std::string primaryLinesText() const { return getFixed(primaryLines); }
    std::string changedLinesText() const { return getFixed(changedLines); }
};

} // namespace varrow
