#include "fourpillars/BaziReport.h"

#include <cmath>

#include "fourpillars/BaziCommentary.h"
#include "fourpillars/BaziNames.h"
#include "text/Gbk.h"

namespace varrow::bazi {
namespace {

constexpr int kColumn = 12;    // width of a pillar column, in GBK bytes
constexpr int kLuckColumn = 6; // width of a luck or flowing-year column

// Appends blanks until the piece is w GBK bytes long; a longer piece is kept whole.
std::string padded(std::string_view piece, std::size_t w) {
    std::string s(piece);
    std::size_t n = Gbk::byteLength(piece);
    if (n < w) s.append(w - n, ' ');
    return s;
}

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::string num(int n) { return std::to_string(n); }

// "%d年%d月%d日%d时%d分" with the year in historical form.
std::string dateTime(const SolarDate& d) {
    return num(historicalYear(d.year)) + "年" + num(d.month) + "月" + num(d.day) + "日" + num(d.hour) + "时" +
           num(d.minute) + "分";
}

std::array<GanZhi, 4> columns(const FourPillars& p) { return {p.year, p.month, p.day, p.hour}; }

void appendHeader(std::string& r, const BaziChart& c, const ReportHeader& h) {
    r += "命主姓名:" + h.name + "  出生地:";
    const std::string weekday = "星期" + std::string(names::weekdays[CYiDate::Weekday(c.solar)]) + "。\n";
    if (!h.trueSolarTime) {
        r += h.place + "。\r\n";
        r += "出生公历：" + dateTime(c.solar) + "(北京时间)，" + weekday;
        return;
    }
    auto degrees = [](float v) {
        double whole = std::floor(v);
        return num(static_cast<int>(whole)) + "度" + num(CYiDate::Round((v - whole) * 60)) + "分";
    };
    r += h.place + ",";
    r += "经度:" + degrees(h.longitude) + ",";
    r += "纬度:" + degrees(h.latitude) + "。\n";
    r += "出生公历：" + dateTime(c.clock) + "(北京时间)。\n";
    r += "出生公历：" + dateTime(c.solar) + "(真太阳时)，" + weekday;
}

void appendPillarBlock(std::string& r, const BaziChart& c, const ReportOptions& o) {
    const auto cols = columns(c.pillars);
    const int d = c.pillars.day.stem();
    r += blanks(6);
    for (int k = 0; k < 4; ++k)
        r += k == 2 ? "日元" + blanks(8) : std::string(kTenGods[TenGod(d, cols[k].stem())]) + blanks(10);
    r += "\n";
    r += c.male ? "乾造  " : "坤造  ";
    for (int k = 0; k < 4; ++k) {
        if (o.verticalPillars) {
            r += cols[k].stemName();
            if (k < 3) r += blanks(10);
        } else {
            r += cols[k].name();
            if (k < 3) r += blanks(8);
        }
    }
    auto v = voidBranches(c.pillars.day);
    r += " (日空" + std::string(names::branches[v[0]]) + "、" + std::string(names::branches[v[1]]) + ")\n";
    if (o.verticalPillars) {
        r += blanks(6);
        for (int k = 0; k < 4; ++k) {
            r += cols[k].branchName();
            if (k < 3) r += blanks(10);
        }
        r += "\n";
    }
    r += "藏干  ";
    for (GanZhi g : cols) r += padded(hiddenStemNames(g), kColumn);
    r += "\n" + blanks(6);
    for (GanZhi g : cols) r += padded(hiddenTenGods(d, g), kColumn);
    r += "\n地势  ";
    for (GanZhi g : cols) r += padded(kStages[GrowthStage(d, g.branch())], kColumn);
    r += "\n纳音  ";
    for (GanZhi g : cols) r += padded(nayin(g), kColumn);
    r += "\n\n";
}

void appendTermsAndLuckStart(std::string& r, const BaziChart& c) {
    // The first term of the month of branch b falls in Gregorian month (b - 3) mod 12 + 2.
    auto termOf = [](int branch) {
        int g = mod(branch - 3, 12) + 2;
        return names::termName(g > 12 ? g - 12 : g, 1);
    };
    int b = c.pillars.month.branch();
    r += "节气：" + std::string(termOf(b)) + ":" + dateTime(CYiDate::FromJulianDay(c.monthStartJD)) + "，";
    r +=
        std::string(termOf((b + 1) % 12)) + ":" + dateTime(CYiDate::FromJulianDay(c.nextBoundaryJD)) + "。\n";
    const LuckCycles& l = c.luck;
    r += "起大运周岁：" + num(l.years) + "岁 " + num(l.months) + "个月 " + num(l.days) + "天，";
    r += "每一交大运年 " + num(l.startDate.month) + "月 " + num(l.startDate.day) + "日起运(公历)。\n";
}

void appendLuck(std::string& r, const BaziChart& c) {
    const int d = c.pillars.day.stem();
    r += "排大运：\n     ";
    for (GanZhi g : c.luck.pillars) r += std::string(kTenGods[TenGod(d, g.stem())]) + "    ";
    r += "\n大运 ";
    for (GanZhi g : c.luck.pillars) r += g.name() + "  ";
    r += "\n" + blanks(5);
    for (GanZhi g : c.luck.pillars) r += padded(kStages[GrowthStage(d, g.branch())], kLuckColumn);
    r += "\n岁数 ";
    for (int k = 0; k < 8; ++k) r += padded(num(c.cycleAge(k)), kLuckColumn);
    r += "\n年份 ";
    for (int k = 0; k < 8; ++k) r += padded(num(historicalYear(c.cycleYear(k))), kLuckColumn);
}

// Ten rows of eight columns, then the "止于 " row of each column's last year.
template <class Cell> void appendGrid(std::string& r, const BaziChart& c, Cell cell) {
    for (int row = 0; row < 10; ++row) {
        r += row == 0 ? std::string("始于 ") : num(row) + "    ";
        for (int k = 0; k < 8; ++k) r += cell(k, row).name() + "  ";
        r += "\n";
    }
    r += "止于 ";
    for (int k = 0; k < 8; ++k) r += padded(num(historicalYear(c.cycleYear(k) + 9)), kLuckColumn);
}

void appendFlowingYears(std::string& r, const BaziChart& c) {
    r += "\n排流年：\n";
    appendGrid(r, c, [&c](int k, int row) { return BaziChart::yearPillar(c.cycleYear(k) + row); });
}

void appendOrigins(std::string& r, const BaziChart& c) {
    r += "\n\n※胎元：" + c.fetalOrigin.name() + "(" + std::string(nayin(c.fetalOrigin)) + ")  ";
    r += "命宫：" + c.lifePalace.name() + "(" + std::string(nayin(c.lifePalace)) + ")\n\n";
}

void appendStars(std::string& r, const BaziChart& c) {
    r += "吉神凶煞：\n";
    r += "  年柱 " + c.stars[0] + "\n";
    r += "  月柱 " + c.stars[1] + "\n";
    r += "  日柱 " + c.stars[2] + c.dayOnlyStars + "\n";
    r += "  时柱 " + c.stars[3] + "\n";
    if (c.wonders) r += "☆命带" + std::string(kWonderNames[c.wonders]) + "\n";
    r += "☆星座：" + std::string(kSigns[c.sign]) + "座。 ";
    r += "生肖：" + std::string(names::animals[c.pillars.year.branch()]) + "。";
    r += "  二十八宿：" + std::string(kMansions[c.mansion]) + "。\n\n";
}

void appendSmallLuck(std::string& r, const BaziChart& c) {
    r += "排小运：\n岁数 ";
    for (int k = 0; k < 8; ++k) r += padded(num(c.cycleAge(k)), kLuckColumn);
    r += "\n年份 ";
    for (int k = 0; k < 8; ++k) r += padded(num(historicalYear(c.cycleYear(k))), kLuckColumn);
    r += "\n";
    appendGrid(r, c, [&c](int k, int row) { return c.smallLuck(c.cycleAge(k) + row); });
}

void appendCommentaries(std::string& r, const BaziChart& c) {
    r += "\n\n三命通会论断：\n";
    r += "◆" + std::string(sanmingLine(sanmingGeneralLine(c.pillars))) + "\n";
    r += "◆" + std::string(sanmingLine(sanmingDayLine(c.pillars))) + "\n\n";
    r += "穷通宝鉴-调侯用神参考：\n";
    for (std::string_view line : qiongtongSection(qiongtongResource(c.pillars), qiongtongKey(c.pillars))) {
        r += line;
        r += "\n";
    }
    r += "\n\n";
}

} // namespace

int historicalYear(int astronomical) { return astronomical < 1 ? astronomical - 1 : astronomical; }

std::string lunarDateText(const LunarDate& lunar, bool leap) {
    std::string month = lunar.month == 1 ? "正月 " : CYiDate::NumeralName(lunar.month) + "月 ";
    std::string s = (leap ? " 闰" : " ") + month;
    if (lunar.day <= 10) s += "初";
    return s + CYiDate::NumeralName(lunar.day) + "日";
}

std::string hiddenStemNames(GanZhi pillar) {
    std::string s;
    for (char digit : kHiddenStems[pillar.branch()]) s += names::stems[digit - '0'];
    return s;
}

std::string hiddenTenGods(int dayStem, GanZhi pillar) {
    std::string s;
    for (char digit : kHiddenStems[pillar.branch()]) s += kTenGods[TenGod(dayStem, digit - '0')];
    return s;
}

int sanmingGeneralLine(const FourPillars& p) {
    int d = p.day.stem() == 0 ? 10 : p.day.stem();       // 甲 1 .. 癸 10
    int h = p.hour.branch() == 0 ? 12 : p.hour.branch(); // 子 1 .. 亥 12
    return 84 * d + 7 * h - 91;
}

int sanmingDayLine(const FourPillars& p) {
    int b = p.day.branch() == 0 ? 12 : p.day.branch();
    return sanmingGeneralLine(p) + (b + 1) / 2; // 子丑 1, 寅卯 2, ... 戌亥 6
}

std::string qiongtongResource(const FourPillars& p) { return p.day.stem() < 6 ? "qt01" : "qt02"; }

std::string qiongtongKey(const FourPillars& p) {
    return "[" + num(p.day.stem()) + num(p.month.branch()) + "]";
}

std::string buildBaziReport(const BaziChart& c, const ReportHeader& header, const ReportOptions& options) {
    std::string r;
    r.reserve(6000);
    appendHeader(r, c, header);
    r += "出生农历：" + c.pillars.year.name() + "年" + lunarDateText(c.lunar, c.leapMonth);
    r += " " + std::string(names::branches[names::hourBranch(c.lunar.hour)]) + "时。\n\n";
    appendPillarBlock(r, c, options);
    appendTermsAndLuckStart(r, c);
    appendLuck(r, c);
    appendFlowingYears(r, c);
    appendOrigins(r, c);
    appendStars(r, c);
    appendSmallLuck(r, c);
    appendCommentaries(r, c);
    for (const std::string& line : options.closingLines) r += line + "\n";
    return r;
}

} // namespace varrow::bazi
