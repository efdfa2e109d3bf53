// moment: the resolved chart moment of a request, as JSON.
#include <cstdio>
#include <ctime>
#include <string>

#include "calendar/ChartMoment.h"
#include "chart/ChartKinds.h"
#include "cli/CliUtil.h"
#include "cli/RequestOptions.h"

namespace varrow::cli {

int cmdMoment(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    std::string kindName = o.value("--kind").value_or("bazi");
    auto kind = chartKindFromStoreName(kindName);
    if (!kind) return fail("没有这种盘: " + kindName);
    ChartRequest request;
    std::string error;
    if (!readRequest(o, *kind, request, error)) return fail(error);
    ChartMoment m = momentOf(request);
    m.lateZi = o.flag("--late-zi");
    MomentVariant variant = kindInfo(*kind).moment;
    if (!ResolveChartMoment(m, variant)) return fail(m.message);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "{\"solar\":\"%s\",\"lunar\":{\"year\":%d,\"month\":%d,\"leap\":%s,\"day\":%d,\"hour\":%d,"
                  "\"minute\":%d},\"clock\":\"%s\",\"clockJD\":%.6f}\n",
                  formatDateTime(m.solar).c_str(), toHistorical(m.lunar.year), m.lunar.month,
                  m.isLeapMonth ? "true" : "false", m.lunar.day, m.lunar.hour, m.lunar.minute,
                  formatDateTime(m.clock).c_str(), m.clockJD);
    out(buf);
    return 0;
}

} // namespace varrow::cli
