// The rules that read and check the input panel: pure functions on the
// controls' texts and indexes. A failure carries the box to show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varrow {

enum class MessageIcon { None, Information, Warning, Error };

struct CheckResult {
    bool ok = true;
    std::string message;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    std::string focus; // control that takes the focus afterwards, or empty

    static CheckResult pass() { return {}; }
    static CheckResult fail(std::string_view message, std::string_view title, MessageIcon icon,
                            std::string_view focus = {});
};

// A whole-text decimal integer (blanks around it allowed), or nothing.
std::optional<long> parseInteger(std::string_view text);
// The panel's reading of a number: non-numeric text counts as -1000.
long readNumber(std::string_view text);

// 姓名: not empty.
CheckResult checkName(std::string_view name);
// For 大六壬 the name is lower-cased first; only Latin letters change.
std::string latinLower(std::string_view text);

// EdtYear: -850..2100 without 0; stored gets the astronomical year.
CheckResult readYear(std::string_view text, std::int16_t& stored);

// TFrmMain::ReadCoordinates on the 经度 and 纬度 texts ("117:48", "-25:42").
CheckResult ReadCoordinates(std::string_view longitudeText, std::string_view latitudeText, float& longitude,
                            float& latitude);

// 占问事宜: not empty.
CheckResult checkQuestion(std::string_view question);

// LedtYear: above -1000, not 0, and at most 9999 (the edit holds 4 characters).
CheckResult readBirthYear(std::string_view text, std::int16_t& stored);

// The place text of the request: province "-" city, or "未知" for the last province.
std::string placeText(int provinceIndex, std::string_view cityText);

// diFen from the editable CboDiFen: a typed number n > 0 picks item (n - 1) mod 12,
// else the item whose text was typed, else the selected item; item 0 when nothing fits.
std::uint8_t diFenFrom(std::string_view text, int selectedIndex);
// zhanShi from the CboZhanShi index.
constexpr std::uint8_t zhanShiFrom(int pickerIndex) {
    return static_cast<std::uint8_t>((pickerIndex + 1) % 12);
}
// The CboDiFen item of a stored diFen (0 is 亥, the last item).
constexpr int diFenItemIndex(int diFen) { return ((diFen + 11) % 12 + 12) % 12; }

// CboZhanShi index of a clock hour (子 = 0).
constexpr int hourBranchIndex(int hour) { return ((hour + 1) / 2) % 12; }

// A city of the places file: "117:48*25:42" as decimal degrees. An empty or
// malformed value reads as "120:0*30:0". The minutes take the sign of the
// degrees, so "-117:48" is -117.8 and "-0:30" is -0.5.
struct CityCoordinates {
    float longitude = 120.0f;
    float latitude = 30.0f;
};
CityCoordinates parseCityValue(std::string_view value);

// "%d:%d" of a coordinate: whole degrees toward zero, minutes of the
// fraction rounded to nearest with an exact half down, carrying 60 into the
// degrees. A negative value puts its sign on the degrees only ("-117:48").
std::string formatCoordinate(float degrees);

// The two coordinate edits after *city chosen*.
struct CoordinateTexts {
    std::string longitude, latitude;
};
CoordinateTexts cityChosenTexts(int provinceIndex, const CityCoordinates& city);

} // namespace varrow
