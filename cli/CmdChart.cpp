// chart KIND: one chart from the request options, or one per line of
// standard input with --jsonl.
#include <fstream>
#include <iostream>

#include <nlohmann/json.hpp>

#include "chart/ChartKinds.h"
#include "cli/ChartOptions.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/RequestOptions.h"
#include "text/RichText.h"

namespace varrow::cli {
namespace {

using json = nlohmann::ordered_json;

struct ChartResult {
    bool ok = false;
    std::string error;
    std::string output; // in the requested format, UTF-8 (RTF is 7-bit)
    json model;
};

ChartResult failed(std::string error) {
    ChartResult r;
    r.error = std::move(error);
    return r;
}

std::string render(const RichText& doc, const std::string& format) {
    if (format == "rtf") return doc.toRtf();
    if (format == "html") return doc.toHtml();
    return doc.text();
}

// One chart of any kind through the registry's engine.
ChartResult runKind(ChartKind kind, const Options& o, const std::string& format) {
    ChartResult r;
    ChartRequest request;
    if (!readRequest(o, kind, request, r.error)) return r;
    RichText doc;
    EngineSetup setup;
    setup.report = &doc;
    setup.programDir = programDir(o);
    std::unique_ptr<ChartEngine> engine = makeEngine(kind, setup);
    request.writeReport = format != "json";
    if (!engine->Chart(request)) {
        r.error = engine->ErrorText();
        return r;
    }
    r.ok = true;
    if (format == "json")
        r.model = engine->Model();
    else
        r.output = render(doc, format);
    return r;
}

bool validFormat(const std::string& f) { return f == "text" || f == "rtf" || f == "html" || f == "json"; }

// A request object becomes the same words as the command line: a true
// boolean is a flag, every other value the option's argument.
bool requestArgs(const json& request, Args& args, std::string& error) {
    if (!request.is_object()) return error = "每行应为一个 JSON 对象", false;
    for (const auto& [key, value] : request.items()) {
        std::string word = "--" + key;
        if (value.is_boolean()) {
            if (value.get<bool>()) args.push_back(word);
        } else if (value.is_string()) {
            args.push_back(word + "=" + value.get<std::string>());
        } else if (value.is_number_integer()) {
            args.push_back(word + "=" + std::to_string(value.get<long long>()));
        } else {
            return error = "不支持的值: " + key, false;
        }
    }
    return true;
}

int runBatch(ChartKind kind, const Args& base, const std::string& format) {
    std::string line;
    int lineNo = 0;
    while (std::getline(std::cin, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        json result;
        // The line's own keys come first, so they win over the command line's.
        Args args;
        std::string error;
        json request = json::parse(line, nullptr, false);
        if (request.is_discarded())
            error = "JSON 格式错误";
        else
            requestArgs(request, args, error);
        args.insert(args.end(), base.begin(), base.end());
        if (error.empty()) {
            Options o(args);
            std::string f = o.value("--format").value_or(format);
            ChartResult r = validFormat(f) ? runKind(kind, o, f) : failed("--format 应为 text|rtf|html|json");
            if (!r.ok)
                error = r.error;
            else if (f == "json")
                result = r.model;
            else
                result = json{{"format", f}, {"output", r.output}};
        }
        if (!error.empty()) result = json{{"line", lineNo}, {"error", error}};
        out(result.dump(-1, ' ', false, json::error_handler_t::replace) + "\n");
    }
    return 0;
}

} // namespace

int cmdChart(const Args& args) {
    Options o(args);
    setGbkOutput(o.flag("--gbk"));
    if (o.positional().size() != 1)
        return fail("usage: varrow-cli chart KIND [request options] [--format text|rtf|html|json] [--out "
                    "FILE] [--jsonl]");
    auto kind = chartKindFromStoreName(o.positional()[0]);
    if (!kind) return fail("varrow-cli chart: no such chart kind: " + o.positional()[0]);
    if (!engineAvailable(*kind))
        return fail("varrow-cli chart: this chart kind has no engine yet: " + o.positional()[0]);
    std::string format = o.value("--format").value_or(o.flag("--jsonl") ? "json" : "text");
    if (!validFormat(format)) return fail("--format 应为 text|rtf|html|json");
    if (o.flag("--jsonl")) {
        Args base;
        for (const std::string& a : args)
            if (a != "--jsonl") base.push_back(a);
        return runBatch(*kind, base, format);
    }

    ChartResult r = runKind(*kind, o, format);
    if (!r.ok) return fail(r.error);
    std::string text =
        format == "json" ? r.model.dump(-1, ' ', false, json::error_handler_t::replace) + "\n" : r.output;
    if (auto path = o.value("--out")) {
        std::ofstream f(*path, std::ios::binary | std::ios::trunc);
        f << text;
        if (!f) return fail("无法写入文件: " + *path);
        return 0;
    }
    out(text);
    return 0;
}

} // namespace varrow::cli
