#include "cli/RequestOptions.h"

#include <ctime>

#include "shell/InputLists.h"
#include "shell/InputRules.h"

namespace varrow::cli {
namespace {

bool failed(const CheckResult& r, std::string& error) {
    if (r.ok) return false;
    error = r.message;
    return true;
}

// A small unsigned option, or the default when absent; false when malformed.
bool readSmall(const Options& o, std::string_view name, long lo, long hi, long& value, std::string& error) {
    auto text = o.value(name);
    if (!text) return true;
    auto v = parseInteger(*text);
    if (!v || *v < lo || *v > hi) {
        error = std::string(name) + " 取值应在 " + std::to_string(lo) + " 到 " + std::to_string(hi) + " 之间";
        return false;
    }
    value = *v;
    return true;
}

} // namespace

bool readRequest(const Options& o, ChartKind kind, ChartRequest& r, std::string& error) {
    // The moment defaults to now, as the panel does at start-up.
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SolarDate d{static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
                static_cast<std::int16_t>(local.tm_mday), static_cast<std::int16_t>(local.tm_hour),
                static_cast<std::int16_t>(local.tm_min)};
    if (d.year > CYiDate::kLastYear) d.year = CYiDate::kLastYear;

    std::string name = o.value("--name").value_or("某人");
    if (kind == ChartKind::Liuren) name = latinLower(name);
    if (failed(checkName(name), error)) return false;

    if (auto date = o.value("--date")) {
        // The year passes the panel's year check; month and day are picked from lists.
        auto last = date->rfind('-');
        auto mid = last == std::string::npos || last == 0 ? std::string::npos : date->rfind('-', last - 1);
        if (mid == std::string::npos || mid == 0) {
            error = "日期格式应为 Y-MM-DD";
            return false;
        }
        std::int16_t year = 0;
        if (failed(readYear(date->substr(0, mid), year), error)) return false;
        auto m = parseInteger(date->substr(mid + 1, last - mid - 1));
        auto day = parseInteger(date->substr(last + 1));
        if (!m || !day || *m < 1 || *m > 12 || *day < 1 || *day > 31) {
            error = "日期格式应为 Y-MM-DD";
            return false;
        }
        d.year = year, d.month = static_cast<std::int16_t>(*m), d.day = static_cast<std::int16_t>(*day);
    }
    if (auto time = o.value("--time"); time && !parseTime(*time, d)) {
        error = "时间格式应为 HH:MM";
        return false;
    }
    std::string lon = o.value("--lon").value_or("120:30");
    std::string lat = o.value("--lat").value_or("30:00");
    if (failed(ReadCoordinates(lon, lat, r.longitude, r.latitude), error)) return false;

    r.setName(name);
    r.year = d.year, r.month = d.month, r.day = d.day, r.hour = d.hour, r.minute = d.minute;
    r.isLunar = o.flag("--lunar");
    r.isLeapMonth = o.flag("--leap");
    std::string sex = o.value("--sex").value_or("male");
    if (sex != "male" && sex != "female") {
        error = "--sex 应为 male 或 female";
        return false;
    }
    r.isMale = sex == "male";
    r.useTrueSolarTime = o.flag("--true-solar");

    // Place: a province of the list and a city text, or a whole place text.
    r.province = static_cast<std::int16_t>(lists::provinces.size() - 1);
    if (auto p = o.value("--province")) {
        bool found = false;
        for (std::size_t i = 0; i < lists::provinces.size(); ++i)
            if (lists::provinces[i] == *p) r.province = static_cast<std::int16_t>(i), found = true;
        if (!found) {
            error = "没有这个省份: " + *p;
            return false;
        }
    }
    if (auto place = o.value("--place"))
        r.setPlace(*place);
    else
        r.setPlace(placeText(r.province, o.value("--city").value_or("未知地")));

    long zone = 8, noble = 0, zhanShi = -1;
    if (!readSmall(o, "--zone", 0, 23, zone, error) || !readSmall(o, "--nobleMode", 0, 2, noble, error) ||
        !readSmall(o, "--zhanShi", 0, 11, zhanShi, error))
        return false;
    r.timeZone = static_cast<std::int8_t>(zone);
    r.nobleMode = static_cast<std::uint8_t>(noble);
    r.zhanShi = zhanShiFrom(zhanShi >= 0 ? int(zhanShi) : hourBranchIndex(d.hour));
    if (auto diFen = o.value("--diFen")) r.diFen = diFenFrom(*diFen, 0);

    if (!isBirthKind(kind)) {
        std::string question = o.value("--question").value_or("关心的事情。");
        if (failed(checkQuestion(question), error)) return false;
        r.setQuestion(question);
    }
    if (auto by = o.value("--birthYear"); by && failed(readBirthYear(*by, r.birthYear), error)) return false;
    if (auto v = o.value("--castMethod")) r.setCastMethod(*v);
    if (auto v = o.value("--primaryLines")) r.setPrimaryLines(*v);
    if (auto v = o.value("--changedLines")) r.setChangedLines(*v);
    return true;
}

ChartMoment momentOf(const ChartRequest& r) {
    ChartMoment m;
    m.year = r.year, m.month = r.month, m.day = r.day, m.hour = r.hour, m.minute = r.minute;
    m.isLunar = r.isLunar;
    m.isLeapMonth = r.isLeapMonth;
    m.longitude = r.longitude;
    m.useTrueSolarTime = r.useTrueSolarTime;
    return m;
}

} // namespace varrow::cli
