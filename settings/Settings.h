// The keys of the two settings files with their defaults, and the paths.
// Engines open dat/set.ini for each chart and ask for typed keys:
//     IniFile set = openChartSettings(home);
//     if (set.get(setini::baziZishi) == 1) ...
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace varrow {

namespace setini {
inline constexpr IntKey baziZishi{"bazi", "zishi", 0};
inline constexpr IntKey baziPai{"bazi", "pai", 0};
inline constexpr IntKey ziweiTg5{"ziwei", "tg5", 0};
inline constexpr IntKey ziweiTg7{"ziwei", "tg7", 0};
inline constexpr IntKey ziweiTg9{"ziwei", "tg9", 0};
inline constexpr IntKey ziweiTm{"ziwei", "tm", 0};
inline constexpr IntKey ziweiRun{"ziwei", "run", 0};
inline constexpr IntKey xmingGuidao{"xming", "guidao", 0};
inline constexpr IntKey xmingBkcolor{"xming", "bkcolor", 16777215}; // white
inline constexpr IntKey xmingLuoji{"xming", "luoji", 0};
inline constexpr IntKey xmingMGong{"xming", "mGong", 0};
inline constexpr IntKey qimenQiju{"qimen", "qiju", 0};
inline constexpr IntKey jkjYuejiang{"jkj", "yuejiang", 0}; // 0 以节入定
inline constexpr IntKey dlrGui157{"dlr", "gui157", 0};
inline constexpr IntKey dlrYuejiang{"dlr", "yuejiang", 0}; // 0 以中气定
inline constexpr BoolKey globalEndinfo{"global", "endinfo", false};

// Every key the chart settings dialog reads and writes (all but endinfo).
inline constexpr std::array<IntKey, 15> dialogKeys = {
    baziZishi,    baziPai,    ziweiTg5,   ziweiTg7,  ziweiTg9,    ziweiTm,   ziweiRun,   xmingGuidao,
    xmingBkcolor, xmingLuoji, xmingMGong, qimenQiju, jkjYuejiang, dlrGui157, dlrYuejiang};
} // namespace setini

namespace pinit {
inline constexpr IntKey winposLeft{"winpos", "left", 10};
inline constexpr IntKey winposTop{"winpos", "top", 10};
inline constexpr IntKey winposWidth{"winpos", "width", 400};
inline constexpr IntKey winposHeight{"winpos", "height", 400};
inline constexpr IntKey winposState{"winpos", "state", 0}; // 0 normal, 1 minimised, 2 maximised
// History list width of ChartKind 0..6.
inline constexpr std::array<IntKey, 7> listWidth = {
    IntKey{"winpos", "list0wid", 180}, IntKey{"winpos", "list1wid", 180}, IntKey{"winpos", "list2wid", 180},
    IntKey{"winpos", "list3wid", 180}, IntKey{"winpos", "list4wid", 180}, IntKey{"winpos", "list5wid", 180},
    IntKey{"winpos", "list6wid", 180}};
inline constexpr TextKey minggaoFname{"minggao", "fname", "宋体"};
inline constexpr IntKey minggaoFsize{"minggao", "fsize", 12};
inline constexpr IntKey minggaoBcolor{"minggao", "bcolor", 12635344};
inline constexpr IntKey classesCount{"classes", "count", 0};

// The name a category picker shows for a missing key.
inline constexpr std::string_view kDefaultCategory = "临时保存";
// Guard against a damaged count: no picker needs more.
inline constexpr int kMaxCategories = 1000;
} // namespace pinit

std::filesystem::path chartSettingsPath(const std::filesystem::path& home);  // dat/set.ini
std::filesystem::path windowSettingsPath(const std::filesystem::path& home); // dat/pinit.ini

// dat/set.ini, read afresh.
IniFile openChartSettings(const std::filesystem::path& home);
// dat/pinit.ini, writing through at once.
IniFile openWindowSettings(const std::filesystem::path& home);

// Categories 1 .. count of section classes; a missing key reads as missing
// ("临时保存" for the pickers, "" for the editor).
std::vector<std::string> readCategories(const IniFile& pinit,
                                        std::string_view missing = pinit::kDefaultCategory);
// Writes keys 1 .. N and count = N; keys above N stay as they were.
bool writeCategories(IniFile& pinit, const std::vector<std::string>& names);

} // namespace varrow
