#include "fourpillars/BaziSettings.h"

#include "settings/EndInfo.h"
#include "settings/Settings.h"

namespace varrow::bazi {

BaziSettings readBaziSettings(const std::string& programDir) {
    IniFile set = openChartSettings(programDir);
    BaziSettings s;
    s.lateZi = set.get(setini::baziZishi) != 0;
    s.verticalPillars = set.get(setini::baziPai) == 1;
    s.closingText = set.get(setini::globalEndinfo);
    return s;
}

std::vector<std::string> readClosingText(const std::string& programDir) {
    return readEndInfo(programDir).value_or(std::vector<std::string>{});
}

} // namespace varrow::bazi
