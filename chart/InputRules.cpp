#include "chart/InputRules.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "chart/InputLists.h"

namespace varrow {
namespace {

constexpr std::string_view kYearMessage = "年份必须在-850到2100年之间，并且没有公元0年\r\n"
                                          "注意：公元前用负数，比如公元前120年，就输入-120";
constexpr std::string_view kFormatMessage = "例如:东经117度48分,北纬25度42分,就按以下格式输入:\n"
                                            " 经度=117:48  纬度=25:42\n"
                                            "注意:东经为正，西经为负。北纬为正，南纬为负。";

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// One half of a coordinate text, already known to hold a colon that is not last.
struct DegreesMinutes {
    std::optional<long> degrees, minutes;
    bool negative = false; // the degrees were written with a minus sign
};
DegreesMinutes splitCoordinate(std::string_view text) {
    std::size_t colon = text.find(':');
    DegreesMinutes r;
    std::string_view deg = text.substr(0, colon);
    r.degrees = parseInteger(deg);
    r.minutes = parseInteger(text.substr(colon + 1));
    r.negative = trim(deg).starts_with('-');
    return r;
}

bool hasInnerColon(std::string_view text) {
    std::size_t colon = text.find(':');
    return colon != std::string_view::npos && colon + 1 < text.size();
}

} // namespace

CheckResult CheckResult::fail(std::string_view message, std::string_view title, MessageIcon icon,
                              std::string_view focus) {
    return CheckResult{false, std::string(message), std::string(title), icon, std::string(focus)};
}

std::optional<long> parseInteger(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

long readNumber(std::string_view text) { return parseInteger(text).value_or(-1000); }

CheckResult checkName(std::string_view name) {
    if (name.empty()) return CheckResult::fail("姓名不能为空", "提示", MessageIcon::Information);
    return CheckResult::pass();
}

std::string latinLower(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

CheckResult readYear(std::string_view text, std::int16_t& stored) {
    long y = readNumber(text);
    if (y < -850 || y > 2100 || y == 0)
        return CheckResult::fail(kYearMessage, "年份错误", MessageIcon::Warning, "EdtYear");
    stored = static_cast<std::int16_t>(y < 0 ? y + 1 : y);
    return CheckResult::pass();
}

CheckResult ReadCoordinates(std::string_view longitudeText, std::string_view latitudeText, float& longitude,
                            float& latitude) {
    const auto formatError = [] { return CheckResult::fail(kFormatMessage, "格式错误", MessageIcon::Error); };
    const auto minutesError = [] { return CheckResult::fail("分数在0-59", "格式错误", MessageIcon::Error); };
    if (characterCount(longitudeText) < 3 || characterCount(latitudeText) < 3) return formatError();
    if (!hasInnerColon(longitudeText) || !hasInnerColon(latitudeText)) return formatError();

    DegreesMinutes lon = splitCoordinate(longitudeText);
    if (!lon.degrees || *lon.degrees < -180 || *lon.degrees > 180)
        return CheckResult::fail("经度在-180至180之间", "经度错误", MessageIcon::Error);
    if (!lon.minutes || *lon.minutes < 0 || *lon.minutes > 59) return minutesError();
    // Only a negative degree count turns the minutes: "-0:30" stays east.
    double lonValue = *lon.degrees + (*lon.degrees < 0 ? -*lon.minutes : *lon.minutes) / 60.0;

    DegreesMinutes lat = splitCoordinate(latitudeText);
    if (!lat.degrees || *lat.degrees < -90 || *lat.degrees > 90)
        return CheckResult::fail("纬度在-90至90之间", "纬度错误", MessageIcon::Error);
    if (!lat.minutes || *lat.minutes < 0 || *lat.minutes > 59) return minutesError();
    double latValue = *lat.degrees + (*lat.degrees < 0 ? -*lat.minutes : *lat.minutes) / 60.0;

    if (!(lonValue > -180 && lonValue < 180 && latValue > -90 && latValue < 90))
        return CheckResult::fail("经度在-180至180之间，纬度在-90至90之间", "数据无效", MessageIcon::Error);
    longitude = static_cast<float>(lonValue);
    latitude = static_cast<float>(latValue);
    return CheckResult::pass();
}

CheckResult checkQuestion(std::string_view question) {
    if (question.empty()) return CheckResult::fail("占问事宜不能为空", "提示", MessageIcon::Information);
    return CheckResult::pass();
}

CheckResult readBirthYear(std::string_view text, std::int16_t& stored) {
    long y = readNumber(text);
    if (y <= -1000 || y == 0 || y > 9999)
        return CheckResult::fail("求测人生年必须大于公元前1000年,并且没有公元0年", "生年错误",
                                 MessageIcon::Warning, "LedtYear");
    stored = static_cast<std::int16_t>(y < 0 ? y + 1 : y);
    return CheckResult::pass();
}

std::string placeText(int provinceIndex, std::string_view cityText) {
    if (provinceIndex >= 0 && provinceIndex < lists::kUnknownProvince)
        return std::string(lists::provinces[provinceIndex]) + "-" + std::string(cityText);
    return "未知";
}

std::uint8_t diFenFrom(std::string_view text, int selectedIndex) {
    int item = -1;
    if (std::optional<long> n = parseInteger(text); n && *n > 0) {
        item = static_cast<int>((*n - 1) % 12);
    } else {
        for (int i = 0; i < 12 && item < 0; ++i)
            if (lists::diFenItems[i] == text) item = i;
        if (item < 0 && selectedIndex >= 0 && selectedIndex < 12) item = selectedIndex;
        if (item < 0) item = 0;
    }
    return static_cast<std::uint8_t>((item + 1) % 12);
}

CityCoordinates parseCityValue(std::string_view value) {
    const auto half = [](std::string_view text) -> std::optional<double> {
        if (!hasInnerColon(text)) return std::nullopt;
        DegreesMinutes dm = splitCoordinate(text);
        if (!dm.degrees || !dm.minutes) return std::nullopt;
        double magnitude = std::abs(static_cast<double>(*dm.degrees)) + *dm.minutes / 60.0;
        return dm.negative ? -magnitude : magnitude;
    };
    std::size_t star = value.find('*');
    if (star == std::string_view::npos) return {};
    std::optional<double> lon = half(value.substr(0, star));
    std::optional<double> lat = half(value.substr(star + 1));
    if (!lon || !lat) return {};
    return {static_cast<float>(*lon), static_cast<float>(*lat)};
}

std::string formatCoordinate(float degrees) {
    double v = degrees;
    bool negative = v < 0;
    double magnitude = std::abs(v);
    long whole = static_cast<long>(magnitude); // toward zero
    // Nearest minute, an exact half rounding down.
    long minutes = static_cast<long>(std::ceil((magnitude - whole) * 60.0 - 0.5));
    if (minutes >= 60) {
        ++whole;
        minutes -= 60;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%ld:%ld", negative && (whole != 0 || minutes != 0) ? "-" : "", whole,
                  minutes);
    return buf;
}

CoordinateTexts cityChosenTexts(int provinceIndex, const CityCoordinates& city) {
    if (provinceIndex == lists::kUnknownProvince) return {"120:00", "30:00"};
    return {formatCoordinate(city.longitude), formatCoordinate(city.latitude)};
}

} // namespace varrow
