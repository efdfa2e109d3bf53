// varrow-cli records: the saved charts of a kind, outside the program.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "chart/InputLists.h"
#include "cli/ChartOptions.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "records/Database.h"

namespace varrow::cli {
namespace {

constexpr std::string_view kUsage =
    "records list|show|search KIND [ID] [--home DIR] [--format tsv|csv|json]\n"
    "  search: --name TEXT --category TEXT --question TEXT [--exact] "
    "--sex male|female --years FROM:TO --province INDEX";

enum class Format { Tsv, Csv, Json };

struct Row {
    std::int32_t id;
    RecordImage record;
};

std::string dateText(const RecordImage& r) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%d-%02d-%02d", toHistoricalYear(r.year), r.month, r.day);
    return buf;
}

std::string timeText(const RecordImage& r) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", r.hour, r.minute);
    return buf;
}

// The shortest decimal that reads back as the stored float: 117.8, not 117.800003.
double degrees(float v) {
    char buf[32];
    auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::strtod(std::string(buf, end).c_str(), nullptr);
}

// The kind's own fields only: the others carry no meaning in its records.
nlohmann::ordered_json toJson(const Row& row, ChartKind kind) {
    const RecordImage& r = row.record;
    ChartRequest q = requestFromRecord(r, kind);
    nlohmann::ordered_json j;
    j["id"] = row.id;
    j["category"] = getFixed(r.category);
    j["remark"] = getFixed(r.remark);
    j["name"] = q.nameText();
    j["place"] = q.placeText();
    j["year"] = toHistoricalYear(q.year);
    j["month"] = q.month;
    j["day"] = q.day;
    j["hour"] = q.hour;
    j["minute"] = q.minute;
    j["isLunar"] = q.isLunar;
    j["isLeapMonth"] = q.isLeapMonth;
    j["isMale"] = q.isMale;
    j["province"] = q.province;
    j["city"] = q.city;
    j["longitude"] = degrees(q.longitude);
    j["latitude"] = degrees(q.latitude);
    if (isBirthKind(kind)) {
        j["timeZone"] = q.timeZone;
        return j;
    }
    j["question"] = q.questionText();
    if (kind == ChartKind::Liuyao) {
        j["castMethod"] = q.castMethodText();
        j["primaryLines"] = q.primaryLinesText();
        j["changedLines"] = q.changedLinesText();
    } else if (kind == ChartKind::Jkj) {
        j["nobleMode"] = q.nobleMode;
        j["diFen"] = q.diFen;
    } else if (kind == ChartKind::Liuren) {
        j["nobleMode"] = q.nobleMode;
        j["zhanShi"] = q.zhanShi;
        j["birthYear"] = toHistoricalYear(q.birthYear);
        j["otherStart"] = q.otherStart;
        j["otherStartArgs"] = {{q.otherStartArgs[0][0], q.otherStartArgs[0][1], q.otherStartArgs[0][2]},
                               {q.otherStartArgs[1][0], q.otherStartArgs[1][1], q.otherStartArgs[1][2]}};
    }
    return j;
}

constexpr const char* kColumns[] = {"id",   "category", "name",      "sex",      "lunar",    "leap",  "date",
                                    "time", "place",    "longitude", "latitude", "question", "remark"};

std::vector<std::string> cells(const Row& row, ChartKind kind) {
    const RecordImage& r = row.record;
    char lon[32], lat[32];
    *std::to_chars(lon, lon + sizeof lon - 1, r.longitude).ptr = '\0';
    *std::to_chars(lat, lat + sizeof lat - 1, r.latitude).ptr = '\0';
    return {std::to_string(row.id),
            getFixed(r.category),
            getFixed(r.name),
            r.isMale ? "男" : "女",
            r.isLunar ? "1" : "0",
            r.isLeapMonth ? "1" : "0",
            dateText(r),
            timeText(r),
            getFixed(r.place),
            lon,
            lat,
            isBirthKind(kind) ? "" : getFixed(r.question),
            getFixed(r.remark)};
}

// Tabs and line breaks inside a TSV cell are written as \t, \r and \n.
std::string tsvCell(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string csvCell(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void printTable(const std::vector<Row>& rows, ChartKind kind, Format f) {
    const char sep = f == Format::Tsv ? '\t' : ',';
    std::string text;
    for (std::size_t i = 0; i < std::size(kColumns); ++i) text += std::string(i ? 1 : 0, sep) + kColumns[i];
    text += f == Format::Csv ? "\r\n" : "\n";
    for (const Row& row : rows) {
        std::vector<std::string> c = cells(row, kind);
        for (std::size_t i = 0; i < c.size(); ++i)
            text += std::string(i ? 1 : 0, sep) + (f == Format::Tsv ? tsvCell(c[i]) : csvCell(c[i]));
        text += f == Format::Csv ? "\r\n" : "\n";
    }
    out(text);
}

void printRows(const std::vector<Row>& rows, ChartKind kind, Format f) {
    if (f != Format::Json) return printTable(rows, kind, f);
    std::string text;
    for (const Row& row : rows) text += toJson(row, kind).dump() + "\n";
    out(text);
}

// The store of a kind without creating anything; nullopt-like false when damaged.
bool openStore(MDataBase& db, const Options& o, ChartKind kind, bool& empty, std::string& error) {
    db.open(programDir(o), kind, false);
    std::error_code ec;
    empty = !std::filesystem::exists(db.dataFilePath(0), ec);
    if (empty) return true;
    StoreHeader h;
    if (!db.readHeader(h)) return error = db.lastError(), false;
    return true;
}

bool collect(MDataBase& db, const std::vector<std::int32_t>& ids, std::vector<Row>& rows) {
    for (std::int32_t id : ids) {
        Row row{id, {}};
        if (db.read(id, row.record))
            rows.push_back(row);
        else if (!db.lastError().empty())
            return false;
    }
    return true;
}

bool readCriteria(const Options& o, SearchCriteria& c, std::string& error) {
    std::uint8_t mode = o.flag("--exact") ? SearchCriteria::Equals : SearchCriteria::Contains;
    if (auto v = o.value("--name")) c.name = *v, c.nameMode = mode;
    if (auto v = o.value("--category")) c.category = *v, c.categoryMode = mode;
    if (auto v = o.value("--question")) c.question = *v, c.questionMode = mode;
    if (auto v = o.value("--sex")) {
        if (*v != "male" && *v != "female") return error = "--sex 应为 male 或 female", false;
        c.sexTest = true;
        c.sex = *v == "male" ? 1 : 0;
    }
    if (auto v = o.value("--years")) {
        std::size_t colon = v->find(':', 1);
        auto from = colon == std::string::npos ? std::nullopt : parseInt(v->substr(0, colon));
        auto to = colon == std::string::npos ? std::nullopt : parseInt(v->substr(colon + 1));
        const auto valid = [](std::optional<int> y) { return y && *y >= -850 && *y <= 2100 && *y != 0; };
        if (!valid(from) || !valid(to))
            return error = "年份必须在-850到2100年之间，并且没有公元0年（--years FROM:TO）", false;
        if (*to < *from) return error = "结束年必须大于或等于起始年", false;
        c.yearTest = true;
        c.yearFrom = static_cast<std::int16_t>(toStoredYear(*from));
        c.yearTo = static_cast<std::int16_t>(toStoredYear(*to));
    }
    if (auto v = o.value("--province")) {
        auto p = parseInt(*v);
        if (!p || *p < -1 || *p >= static_cast<int>(lists::provinces.size()))
            return error = "--province 应为 -1 至 34 的省份序号", false;
        c.province = static_cast<std::int16_t>(*p);
    }
    return true;
}

} // namespace

int cmdRecords(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    const Args& pos = o.positional();
    if (pos.size() < 2) return fail("usage: varrow-cli " + std::string(kUsage));
    const std::string& action = pos[0];
    std::optional<ChartKind> kind = chartKindFromStoreName(pos[1]);
    if (!kind) return fail("未知的排盘类型 " + pos[1] + "（bazi ziwei xming liuyao qimen jkj liuren）");
    Format format = Format::Tsv;
    if (auto f = o.value("--format")) {
        if (*f == "csv")
            format = Format::Csv;
        else if (*f == "json")
            format = Format::Json;
        else if (*f != "tsv")
            return fail("--format 应为 tsv|csv|json");
    }

    MDataBase db;
    bool empty = false;
    std::string error;
    SearchCriteria criteria;
    if (action == "search" && !readCriteria(o, criteria, error)) return fail(error);
    if (action != "list" && action != "show" && action != "search")
        return fail("usage: varrow-cli " + std::string(kUsage));
    if (!openStore(db, o, *kind, empty, error)) return fail(error);

    std::vector<Row> rows;
    if (action == "show") {
        auto id = pos.size() > 2 ? parseInt(pos[2]) : std::nullopt;
        if (!id) return fail("records show KIND ID");
        Row row{*id, {}};
        if (empty || !db.read(*id, row.record))
            return fail(db.lastError().empty() ? "没有记录 " + pos[2] : db.lastError());
        rows.push_back(row);
    } else if (!empty) {
        std::vector<std::int32_t> ids;
        if (!db.search(criteria, ids) || !collect(db, ids, rows)) return fail(db.lastError());
    }
    printRows(rows, *kind, format);
    return 0;
}

} // namespace varrow::cli
