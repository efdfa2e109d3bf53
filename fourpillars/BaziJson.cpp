#include "fourpillars/BaziJson.h"

#include <cstdio>

#include "chart/DateText.h"
#include "fourpillars/BaziNames.h"
#include "fourpillars/BaziReport.h"

namespace varrow::bazi {
namespace {

using json = nlohmann::ordered_json;

// "桃花 灾煞 " -> ["桃花", "灾煞"].
json words(const std::string& blankSeparated) {
    json out = json::array();
    std::size_t i = 0;
    while (i < blankSeparated.size()) {
        std::size_t j = blankSeparated.find(' ', i);
        if (j == std::string::npos) j = blankSeparated.size();
        if (j > i) out.push_back(blankSeparated.substr(i, j - i));
        i = j + 1;
    }
    return out;
}

json hiddenOf(GanZhi g, bool tenGods, int dayStem) {
    json out = json::array();
    for (char digit : bazi::kHiddenStems[g.branch()]) {
        int s = digit - '0';
        out.push_back(std::string(tenGods ? bazi::kTenGods[bazi::TenGod(dayStem, s)] : names::stems[s]));
    }
    return out;
}

} // namespace

json baziJson(const bazi::BaziChart& c) {
    const std::array<GanZhi, 4> cols = {c.pillars.year, c.pillars.month, c.pillars.day, c.pillars.hour};
    const int d = c.pillars.day.stem();
    json j;
    j["sex"] = c.male ? "male" : "female";
    j["solar"] = formatDateTime(c.solar);
    j["clock"] = formatDateTime(c.clock);
    json pillars = json::array(), hidden = json::array(), gods = json::array(), hiddenGods = json::array(),
         stages = json::array(), nayin = json::array();
    for (int k = 0; k < 4; ++k) {
        pillars.push_back(cols[k].name());
        hidden.push_back(hiddenOf(cols[k], false, d));
        gods.push_back(k == 2 ? std::string("日元")
                              : std::string(bazi::kTenGods[bazi::TenGod(d, cols[k].stem())]));
        hiddenGods.push_back(hiddenOf(cols[k], true, d));
        stages.push_back(std::string(bazi::kStages[bazi::GrowthStage(d, cols[k].branch())]));
        nayin.push_back(std::string(bazi::nayin(cols[k])));
    }
    j["pillars"] = pillars;
    j["hiddenStems"] = hidden;
    j["tenGods"] = gods;
    j["hiddenTenGods"] = hiddenGods;
    j["stages"] = stages;
    j["nayin"] = nayin;
    auto v = bazi::voidBranches(c.pillars.day);
    j["void"] = {std::string(names::branches[v[0]]), std::string(names::branches[v[1]])};

    json luck;
    luck["forward"] = c.luck.forward;
    luck["minutes"] = c.luck.minutes;
    luck["years"] = c.luck.years;
    luck["months"] = c.luck.months;
    luck["days"] = c.luck.days;
    luck["startDate"] = formatDate(c.luck.startDate);
    luck["startAge"] = c.luck.startAge;
    json lp = json::array(), ages = json::array(), years = json::array(), lgods = json::array(),
         lstages = json::array();
    for (int k = 0; k < 8; ++k) {
        lp.push_back(c.luck.pillars[k].name());
        lgods.push_back(std::string(bazi::kTenGods[bazi::TenGod(d, c.luck.pillars[k].stem())]));
        lstages.push_back(std::string(bazi::kStages[bazi::GrowthStage(d, c.luck.pillars[k].branch())]));
        ages.push_back(c.cycleAge(k));
        years.push_back(bazi::historicalYear(c.cycleYear(k)));
    }
    luck["pillars"] = lp;
    luck["tenGods"] = lgods;
    luck["stages"] = lstages;
    luck["ages"] = ages;
    luck["startYears"] = years;
    j["luck"] = luck;

    j["fetalOrigin"] = c.fetalOrigin.name();
    j["lifePalace"] = c.lifePalace.name();
    j["stars"] = {words(c.stars[0]), words(c.stars[1]), words(c.stars[2] + c.dayOnlyStars),
                  words(c.stars[3])};
    j["wonders"] = std::string(bazi::kWonderNames[c.wonders]);
    j["sign"] = std::string(bazi::kSigns[c.sign]);
    j["animal"] = std::string(names::animals[c.pillars.year.branch()]);
    j["mansion"] = std::string(bazi::kMansions[c.mansion]);
    j["lunar"] = {{"year", bazi::historicalYear(c.lunar.year)},
                  {"month", c.lunar.month},
                  {"leap", c.leapMonth},
                  {"day", c.lunar.day}};
    return j;
}

} // namespace varrow::bazi
