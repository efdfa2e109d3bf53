// The shipped places file, read the way the input panel reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "settings/IniFile.h"
#include "chart/InputLists.h"
#include "chart/InputRules.h"
#include "text/Gbk.h"

namespace varrow {
namespace {

const std::filesystem::path kPlaces = std::filesystem::path(VARROW_SOURCE_DIR) / "dat" / "dili.ini";

class PlacesFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(std::filesystem::exists(kPlaces)) << kPlaces; }
    IniFile ini{kPlaces};
};

// An editor saving the file as UTF-8 or with bare "\n" would still load in
// some readers; the shipped bytes must be GBK with "\r\n".
TEST_F(PlacesFile, IsGbkWithCrlfOnDisk) {
    std::string bytes;
    ASSERT_TRUE(readWholeFile(kPlaces, bytes));
    EXPECT_EQ(bytes.rfind(Gbk::fromUtf8("[福建省]\r\n福州=119:18*26:5\r\n"), 0), 0u);
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
}

TEST_F(PlacesFile, HasEveryProvinceOfThePanelInItsOrder) {
    std::vector<std::string> expected(lists::provinces.begin(), lists::provinces.end() - 1); // not "未知地"
    EXPECT_EQ(ini.sections(), expected);
    for (const std::string& province : expected)
        EXPECT_FALSE(ini.keys(province).empty()) << province << " has no cities";
}

TEST_F(PlacesFile, FirstCityOfTheFirstProvinceIsItsCapital) {
    std::vector<std::string> cities = ini.keys("福建省");
    ASSERT_FALSE(cities.empty());
    EXPECT_EQ(cities.front(), "福州");
    EXPECT_EQ(ini.readString("福建省", "福州", ""), "119:18*26:5");
    CityCoordinates fuzhou = parseCityValue(ini.readString("福建省", "福州", ""));
    EXPECT_NEAR(fuzhou.longitude, 119.3, 1e-4);
    EXPECT_NEAR(fuzhou.latitude, 26.0 + 5.0 / 60.0, 1e-4);
}

// Every value is well formed, lies in China and its surrounding seas, and
// comes back unchanged in the panel's coordinate edits (a value the float
// round trip shifts by a minute would move a chart's solar time).
TEST_F(PlacesFile, EveryValueParsesAndShowsAsWritten) {
    const std::regex format(R"((\d+:\d+)\*(\d+:\d+))");
    for (int p = 0; p < lists::kUnknownProvince; ++p) {
        std::string province(lists::provinces[p]);
        for (const std::string& city : ini.keys(province)) {
            SCOPED_TRACE(province + " " + city);
            EXPECT_LE(Gbk::byteLength(city), 10u);
            std::string value = ini.readString(province, city, "");
            std::smatch m;
            ASSERT_TRUE(std::regex_match(value, m, format)) << value;
            CityCoordinates c = parseCityValue(value);
            EXPECT_GE(c.longitude, 73.0f);
            EXPECT_LE(c.longitude, 136.0f);
            EXPECT_GE(c.latitude, 3.0f);
            EXPECT_LE(c.latitude, 54.0f);
            CoordinateTexts shown = cityChosenTexts(p, c);
            EXPECT_EQ(shown.longitude, m[1].str());
            EXPECT_EQ(shown.latitude, m[2].str());
        }
    }
}

} // namespace
} // namespace varrow
