// varrow-cli: the chart engines and the calendar without the window.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "cli/Commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(const varrow::cli::Args&);
    std::string_view usage;
};

// One row per command.
constexpr Command kCommands[] = {
    {"days", varrow::cli::cmdDays, "days FROM TO [--time HH:MM] [--late-zi]"},
    {"terms", varrow::cli::cmdTerms, "terms FROM_YEAR TO_YEAR"},
    {"solar2lunar", varrow::cli::cmdSolarToLunar, "solar2lunar YYYY-MM-DD"},
    {"lunar2solar", varrow::cli::cmdLunarToSolar, "lunar2solar Y M D [--leap]"},
    {"moment", varrow::cli::cmdMoment, "moment [--kind KIND] [request options] [--late-zi]"},
    {"today", varrow::cli::cmdToday, "today"},
    {"chart", varrow::cli::cmdChart,
     "chart KIND [request options] [--format text|rtf|html|json] [--out FILE] [--jsonl]"},
    {"records", varrow::cli::cmdRecords,
     "records list|show|search KIND [ID] [--home DIR] [--format tsv|csv|json] [search options]"},
};

int usage(FILE* to) {
    std::fputs("usage: varrow-cli COMMAND ...\n", to);
    for (const Command& c : kCommands)
        std::fprintf(to, "  varrow-cli %.*s\n", int(c.usage.size()), c.usage.data());
    return to == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage(stderr);
    std::string_view word = argv[1];
    if (word == "--help" || word == "-h" || word == "help") return usage(stdout);
    varrow::cli::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (c.name == word) return c.run(args);
    std::fprintf(stderr, "varrow-cli: unknown command '%s'\n", argv[1]);
    return usage(stderr);
}
