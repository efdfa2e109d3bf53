#include "cli/ChartOptions.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "chart/InputLists.h"
#include "chart/InputRules.h"

namespace varrow::cli {
namespace {

// The current local date and time, as the panel starts with.
SolarDate now() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return SolarDate{static_cast<std::int16_t>(local.tm_year + 1900),
                     static_cast<std::int16_t>(local.tm_mon + 1), static_cast<std::int16_t>(local.tm_mday),
                     static_cast<std::int16_t>(local.tm_hour), static_cast<std::int16_t>(local.tm_min)};
}

} // namespace

bool readChartRequest(const Options& o, ChartRequest& r, std::string& error) {
    std::string name = o.value("--name").value_or("某人");
    if (CheckResult c = checkName(name); !c.ok) return error = c.message, false;
    r.setName(name);

    std::string sex = o.value("--sex").value_or("male");
    if (sex != "male" && sex != "female") return error = "--sex 应为 male 或 female", false;
    r.isMale = sex == "male";

    SolarDate d = now();
    if (auto date = o.value("--date")) {
        // The year goes through the panel's year check; month and day follow the last two dashes.
        auto last = date->rfind('-');
        auto mid = last == std::string::npos || last == 0 ? std::string::npos : date->rfind('-', last - 1);
        if (mid == std::string::npos || mid == 0) return error = "日期格式应为 Y-MM-DD", false;
        std::int16_t year = 0;
        if (CheckResult c = readYear(date->substr(0, mid), year); !c.ok) return error = c.message, false;
        auto m = parseInt(date->substr(mid + 1, last - mid - 1));
        auto day = parseInt(date->substr(last + 1));
        if (!m || !day || *m < 1 || *m > 12 || *day < 1 || *day > 31)
            return error = "日期格式应为 Y-MM-DD", false;
        d.year = year;
        d.month = static_cast<std::int16_t>(*m);
        d.day = static_cast<std::int16_t>(*day);
    }
    if (auto time = o.value("--time"); time && !parseTime(*time, d))
        return error = "时间格式应为 HH:MM", false;
    r.year = d.year, r.month = d.month, r.day = d.day, r.hour = d.hour, r.minute = d.minute;
    r.isLunar = o.flag("--lunar");
    r.isLeapMonth = r.isLunar && o.flag("--leap");

    int province = lists::kUnknownProvince;
    if (auto p = o.value("--province")) {
        province = -1;
        for (std::size_t i = 0; i < lists::provinces.size(); ++i)
            if (lists::provinces[i] == *p) province = static_cast<int>(i);
        if (province < 0) return error = "没有这个省份: " + *p, false;
    }
    r.province = static_cast<std::int16_t>(province);
    std::string place = placeText(province, o.value("--city").value_or(""));
    r.setPlace(o.value("--place").value_or(place));

    float lon = 0, lat = 0;
    CheckResult c =
        ReadCoordinates(o.value("--lon").value_or("120:30"), o.value("--lat").value_or("30:00"), lon, lat);
    if (!c.ok) return error = c.message, false;
    r.longitude = lon;
    r.latitude = lat;
    r.useTrueSolarTime = o.flag("--true-solar");
    if (auto zone = o.value("--zone")) {
        auto z = parseInt(*zone);
        if (!z || *z < 0 || *z >= static_cast<int>(lists::timeZones.size()))
            return error = "时区序号在0-23之间", false;
        r.timeZone = static_cast<std::int8_t>(*z);
    }
    return true;
}

std::string programDir(const Options& o) {
    if (auto home = o.value("--home")) return *home;
    if (const char* env = std::getenv("VARROW_HOME"); env && *env) return env;
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

} // namespace varrow::cli
