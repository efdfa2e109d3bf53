#include "fourpillars/Bazimp.h"

#include "chart/RequestMoment.h"
#include "fourpillars/BaziReport.h"

namespace varrow {
namespace {

constexpr int kRed = 255;
constexpr int kBlue = 0xFF0000;

// Length of a piece in surface positions (code points).
int positions(std::string_view utf8) {
    int n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

CBaZimp::CBaZimp(ReportSink& sink) : sink_(sink) {}

void CBaZimp::ReadSettings() { settings_ = bazi::readBaziSettings(programDir_); }

bool CBaZimp::MakeChart(const ChartRequest& request) {
    request_ = request;
    error_.clear();
    ReadSettings();
    ChartRequest asked = request_;
    asked.useTrueSolarTime = useTrueSolarTime_;
    ChartMoment moment;
    if (!resolveRequestMoment(asked, MomentVariant::FourPillars, moment, error_, settings_.lateZi))
        return false;
    moment_ = moment;
    chart_ = bazi::computeBaziChart(moment_, request_.isMale, settings_.lateZi);

    bazi::ReportHeader header{request_.nameText(), request_.placeText(), request_.longitude,
                              request_.latitude, useTrueSolarTime_};
    bazi::ReportOptions options;
    options.verticalPillars = settings_.verticalPillars;
    if (settings_.closingText) options.closingLines = bazi::readClosingText(programDir_);
    report_ = bazi::buildBaziReport(chart_, header, options);
    if (request_.writeReport) Render();
    return true;
}

// The whole text goes in at once; then the marker pieces are found and
// restyled. Each selection covers the piece it names (title and its "：",
// the pillar lines, the row of luck pillars).
void CBaZimp::Render() {
    ReportSink& s = sink_;
    s.Clear();
    s.SetDefaultStyle(s.BaseFontSize(), 0, false);
    s.SetText(report_);
    const int T = s.TextLength();

    // The commentaries, the closing text and all after them are 2 points smaller.
    if (int p = s.FindText("三命通会论断", 0, T); p >= 0) {
        s.Select(p, T - p + 1);
        s.SetSelectionSize(s.BaseFontSize() - 2);
    }
    // The pillar line(s), from "乾造"/"坤造" up to "藏干", in red.
    const int a = s.FindText("造  ", 90, T - 90);
    const int z = s.FindText("藏干", 90, T - 90);
    if (a < 1 || z < a) {
        s.Home();
        return;
    }
    s.Select(a - 1, z - a + 1);
    s.SetSelectionColour(kRed);

    int j = s.FindText("排大运", a, T - a);
    if (j >= 0) {
        s.Select(j, positions("排大运："));
        s.SetSelectionColour(kBlue);
        s.SetSelectionBold(true);
        // The row of luck pillars, in red.
        int row = s.FindText("大运", j + 10, T - j - 10);
        if (row >= 0) {
            int end = s.FindText("\n", row, T - row);
            s.Select(row, end >= 0 ? end - row : T);
            s.SetSelectionColour(kRed);
            j = row;
        }
        for (std::string_view title :
             {"排流年：", "吉神凶煞：", "排小运：", "三命通会论断：", "穷通宝鉴-调侯用神参考："}) {
            int t = s.FindText(std::string(title), j, T - j);
            if (t < 0) continue;
            s.Select(t, positions(title));
            s.SetSelectionColour(kBlue);
            s.SetSelectionBold(true);
            j = t;
        }
    }
    s.Home();
}

void CBaZimp::GetPillars(std::uint8_t out[4]) const {
    const FourPillars& p = chart_.pillars;
    out[0] = static_cast<std::uint8_t>(p.year.value());
    out[1] = static_cast<std::uint8_t>(p.month.value());
    out[2] = static_cast<std::uint8_t>(p.day.value());
    out[3] = static_cast<std::uint8_t>(p.hour.value());
}

void CBaZimp::GetBirthInfo(std::int32_t& birthYear, std::int32_t& startAge) const {
    birthYear = chart_.birthYear();
    startAge = chart_.luck.startAge;
}

} // namespace varrow
