#include "cli/RequestOptions.h"

#include <ctime>

#include "chart/InputRules.h"
#include "cli/ChartOptions.h"

namespace varrow::cli {
namespace {

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
    // The common part, as every chart command reads it.
    if (!readChartRequest(o, r, error)) return false;
    if (kind == ChartKind::Liuren) r.setName(latinLower(r.nameText()));

    // The kind's own fields.
    long noble = 0, zhanShi = -1;
    if (!readSmall(o, "--nobleMode", 0, 2, noble, error) || !readSmall(o, "--zhanShi", 0, 11, zhanShi, error))
        return false;
    r.nobleMode = static_cast<std::uint8_t>(noble);
    r.zhanShi = zhanShiFrom(zhanShi >= 0 ? int(zhanShi) : hourBranchIndex(r.hour));
    if (auto diFen = o.value("--diFen")) r.diFen = diFenFrom(*diFen, 0);
    if (!isBirthKind(kind)) {
        std::string question = o.value("--question").value_or("关心的事情。");
        if (CheckResult c = checkQuestion(question); !c.ok) return error = c.message, false;
        r.setQuestion(question);
    }
    if (auto by = o.value("--birthYear")) {
        if (CheckResult c = readBirthYear(*by, r.birthYear); !c.ok) return error = c.message, false;
    }
    if (auto v = o.value("--castMethod")) r.setCastMethod(*v);
    if (auto v = o.value("--primaryLines")) r.setPrimaryLines(*v);
    if (auto v = o.value("--changedLines")) r.setChangedLines(*v);
    return true;
}

} // namespace varrow::cli
