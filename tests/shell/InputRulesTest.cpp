#include "chart/InputRules.h"

#include <gtest/gtest.h>

#include "chart/InputLists.h"

namespace varrow {
namespace {

constexpr const char* kFormat = "例如:东经117度48分,北纬25度42分,就按以下格式输入:\n"
                                " 经度=117:48  纬度=25:42\n"
                                "注意:东经为正，西经为负。北纬为正，南纬为负。";

TEST(InputRules, YearCheck) {
    struct Case {
        const char* text;
        bool ok;
        int stored;
    } cases[] = {
        {"2000", true, 2000},   {"-850", true, -849}, {"-120", true, -119},
        {"1", true, 1},         {"-1", true, 0},      {"2100", true, 2100},
        {" 1978 ", true, 1978}, {"+5", true, 5},      {"0", false, 0},
        {"-851", false, 0},     {"2101", false, 0},   {"abc", false, 0},
        {"", false, 0},         {"12a", false, 0},    {"99999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        std::int16_t stored = 12345;
        CheckResult r = readYear(c.text, stored);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(stored, c.stored) << c.text;
        } else {
            EXPECT_EQ(stored, 12345) << "a refused year changes nothing";
            EXPECT_EQ(r.title, "年份错误");
            EXPECT_EQ(r.icon, MessageIcon::Warning);
            EXPECT_EQ(r.focus, "EdtYear");
            EXPECT_EQ(r.message, "年份必须在-850到2100年之间，并且没有公元0年\r\n"
                                 "注意：公元前用负数，比如公元前120年，就输入-120");
        }
    }
}

TEST(InputRules, NameAndQuestion) {
    CheckResult r = checkName("");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "姓名不能为空");
    EXPECT_EQ(r.title, "提示");
    EXPECT_EQ(r.icon, MessageIcon::Information);
    EXPECT_TRUE(checkName("某人").ok);
    r = checkQuestion("");
    EXPECT_EQ(r.message, "占问事宜不能为空");
    EXPECT_EQ(r.title, "提示");
    EXPECT_EQ(r.icon, MessageIcon::Information);
    EXPECT_TRUE(checkQuestion("一二三四五六七八九十一二三四五六七八九十").ok); // 40 bytes
    EXPECT_EQ(latinLower("Zhang三ABC"), "zhang三abc");
}

struct CoordCase {
    const char* lon;
    const char* lat;
    const char* message; // nullptr: accepted
    const char* title;
    float lonValue, latValue;
};

TEST(InputRules, ReadCoordinates) {
    const CoordCase cases[] = {
        {"117:48", "25:42", nullptr, nullptr, 117.8f, 25.7f},
        {"-117:48", "-25:42", nullptr, nullptr, -117.8f, -25.7f},
        {"-0:30", "0:30", nullptr, nullptr, 0.5f, 0.5f}, // a zero degree keeps its minutes positive
        {"179:59", "89:59", nullptr, nullptr, 179.0f + 59 / 60.0f, 89.0f + 59 / 60.0f},
        {"120:30", "30:00", nullptr, nullptr, 120.5f, 30.0f},
        {"117:60", "25:42", "分数在0-59", "格式错误", 0, 0},
        {"117:-1", "25:42", "分数在0-59", "格式错误", 0, 0},
        {"117:ab", "25:42", "分数在0-59", "格式错误", 0, 0},
        {"117:48", "25:60", "分数在0-59", "格式错误", 0, 0},
        {"117", "25:42", kFormat, "格式错误", 0, 0},
        {"117:", "25:42", kFormat, "格式错误", 0, 0},
        {"12", "25:42", kFormat, "格式错误", 0, 0},
        {"117:48", "25", kFormat, "格式错误", 0, 0},
        {"181:00", "25:42", "经度在-180至180之间", "经度错误", 0, 0},
        {"ab:00", "25:42", "经度在-180至180之间", "经度错误", 0, 0},
        {"117:48", "91:00", "纬度在-90至90之间", "纬度错误", 0, 0},
        {"117:48", "-91:00", "纬度在-90至90之间", "纬度错误", 0, 0},
        {"180:00", "25:42", "经度在-180至180之间，纬度在-90至90之间", "数据无效", 0, 0},
        {"-180:00", "25:42", "经度在-180至180之间，纬度在-90至90之间", "数据无效", 0, 0},
        {"117:48", "90:00", "经度在-180至180之间，纬度在-90至90之间", "数据无效", 0, 0},
        {"180:30", "25:42", "经度在-180至180之间，纬度在-90至90之间", "数据无效", 0, 0},
        // The longitude is checked whole before the latitude.
        {"117:99", "99:00", "分数在0-59", "格式错误", 0, 0},
    };
    for (const CoordCase& c : cases) {
        float lon = -1, lat = -1;
        CheckResult r = ReadCoordinates(c.lon, c.lat, lon, lat);
        if (!c.message) {
            EXPECT_TRUE(r.ok) << c.lon << " " << c.lat << ": " << r.message;
            EXPECT_NEAR(lon, c.lonValue, 1e-4) << c.lon;
            EXPECT_NEAR(lat, c.latValue, 1e-4) << c.lat;
        } else {
            EXPECT_FALSE(r.ok) << c.lon << " " << c.lat;
            EXPECT_EQ(r.message, c.message) << c.lon << " " << c.lat;
            EXPECT_EQ(r.title, c.title) << c.lon << " " << c.lat;
            EXPECT_EQ(r.icon, MessageIcon::Error);
            EXPECT_EQ(lon, -1) << "nothing changes on failure";
        }
    }
}

TEST(InputRules, BirthYear) {
    struct Case {
        const char* text;
        bool ok;
        int stored;
    } cases[] = {
        {"1978", true, 1978}, {"-999", true, -998}, {"-1", true, 0},   {"9999", true, 9999},
        {"-1000", false, 0},  {"0", false, 0},      {"abc", false, 0}, {"40000", false, 0},
    };
    for (const Case& c : cases) {
        std::int16_t stored = 7;
        CheckResult r = readBirthYear(c.text, stored);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(stored, c.stored) << c.text;
        } else {
            EXPECT_EQ(r.message, "求测人生年必须大于公元前1000年,并且没有公元0年");
            EXPECT_EQ(r.title, "生年错误");
            EXPECT_EQ(r.icon, MessageIcon::Warning);
            EXPECT_EQ(r.focus, "LedtYear");
        }
    }
}

TEST(InputRules, PlaceText) {
    EXPECT_EQ(placeText(0, "福州"), "福建省-福州");
    EXPECT_EQ(placeText(33, "澳门"), "澳门-澳门");
    EXPECT_EQ(placeText(lists::kUnknownProvince, "未知地"), "未知");
    EXPECT_EQ(placeText(-1, "x"), "未知");
}

TEST(InputRules, DiFenAndZhanShi) {
    struct Case {
        const char* text;
        int selected;
        int diFen;
    } cases[] = {
        {"13", 5, 1}, // typed 13 is 子
        {"12", 0, 0}, // 亥
        {"1", 11, 1},
        {"子,鼠,正北", 0, 1},
        {"亥,猪,正北偏西", 11, 0},
        {"午,马,正南", 6, 7},
        {"0", 3, 4}, // not above 0: the selection
        {"-5", 2, 3},
        {"xyz", -1, 1},            // nothing fits: item 0
        {"巳,蛇,正南偏东", -1, 6}, // typed item text without selection
    };
    for (const Case& c : cases) EXPECT_EQ(diFenFrom(c.text, c.selected), c.diFen) << c.text;
    EXPECT_EQ(zhanShiFrom(0), 1);
    EXPECT_EQ(zhanShiFrom(11), 0);
    EXPECT_EQ(diFenItemIndex(0), 11);
    EXPECT_EQ(diFenItemIndex(1), 0);
    EXPECT_EQ(hourBranchIndex(23), 0);
    EXPECT_EQ(hourBranchIndex(0), 0);
    EXPECT_EQ(hourBranchIndex(1), 1);
    EXPECT_EQ(hourBranchIndex(22), 11);
}

TEST(InputRules, CityValues) {
    struct Case {
        const char* value;
        float lon, lat;
        const char* lonText;
        const char* latText;
    } cases[] = {
        {"117:48*25:42", 117.8f, 25.7f, "117:48", "25:42"},
        {"", 120.0f, 30.0f, "120:0", "30:0"},
        {"120:0*30:0", 120.0f, 30.0f, "120:0", "30:0"},
        {"-117:48*-25:42", -117.8f, -25.7f, "-117:48", "-25:42"},
        {"-0:30*-0:15", -0.5f, -0.25f, "-0:30", "-0:15"},
        {"garbage", 120.0f, 30.0f, "120:0", "30:0"},
        {"117:48", 120.0f, 30.0f, "120:0", "30:0"},
        {"117:48*x", 120.0f, 30.0f, "120:0", "30:0"},
    };
    for (const Case& c : cases) {
        CityCoordinates city = parseCityValue(c.value);
        EXPECT_NEAR(city.longitude, c.lon, 1e-4) << c.value;
        EXPECT_NEAR(city.latitude, c.lat, 1e-4) << c.value;
        CoordinateTexts t = cityChosenTexts(0, city);
        EXPECT_EQ(t.longitude, c.lonText) << c.value;
        EXPECT_EQ(t.latitude, c.latText) << c.value;
    }
    CoordinateTexts unknown = cityChosenTexts(lists::kUnknownProvince, {});
    EXPECT_EQ(unknown.longitude, "120:00");
    EXPECT_EQ(unknown.latitude, "30:00");
}

TEST(InputRules, FormatCoordinateRoundsMinutes) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {117.8, "117:48"},
        {117.125, "117:7"}, // 7.5 minutes: an exact half rounds down
        {117.0 + 29.51 / 60, "117:30"},
        {117.0 + 59.7 / 60, "118:0"}, // 60 minutes carry into the degrees
        {-117.0 - 59.7 / 60, "-118:0"},
        {-0.0001, "0:0"},
        {0.0, "0:0"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatCoordinate(static_cast<float>(c.value)), c.text) << c.value;
}

// A city west or south comes back through the panel check to its own value.
TEST(InputRules, NegativeCityRoundTripsThroughTheCheck) {
    for (const char* value : {"-117:48*-25:42", "-73:59*-40:30", "5:7*-33:55"}) {
        CityCoordinates city = parseCityValue(value);
        CoordinateTexts t = cityChosenTexts(3, city);
        float lon = 0, lat = 0;
        ASSERT_TRUE(ReadCoordinates(t.longitude, t.latitude, lon, lat).ok) << value;
        EXPECT_NEAR(lon, city.longitude, 1e-3) << value;
        EXPECT_NEAR(lat, city.latitude, 1e-3) << value;
    }
}

} // namespace
} // namespace varrow
