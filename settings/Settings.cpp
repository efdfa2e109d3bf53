#include "settings/Settings.h"

#include <algorithm>

namespace varrow {

std::filesystem::path chartSettingsPath(const std::filesystem::path& home) {
    return home / "dat" / "set.ini";
}
std::filesystem::path windowSettingsPath(const std::filesystem::path& home) {
    return home / "dat" / "pinit.ini";
}

IniFile openChartSettings(const std::filesystem::path& home) { return IniFile(chartSettingsPath(home)); }
IniFile openWindowSettings(const std::filesystem::path& home) {
    return IniFile(windowSettingsPath(home), true);
}

std::vector<std::string> readCategories(const IniFile& pinit, std::string_view missing) {
    int count = std::clamp(pinit.get(pinit::classesCount), 0, pinit::kMaxCategories);
    std::vector<std::string> names;
    names.reserve(count);
    for (int i = 1; i <= count; ++i) names.push_back(pinit.readString("classes", std::to_string(i), missing));
    return names;
}

bool writeCategories(IniFile& pinit, const std::vector<std::string>& names) {
    bool ok = true;
    for (std::size_t i = 0; i < names.size(); ++i)
        ok = pinit.writeString("classes", std::to_string(i + 1), names[i]) && ok;
    return pinit.set(pinit::classesCount, static_cast<int>(names.size())) && ok;
}

} // namespace varrow
