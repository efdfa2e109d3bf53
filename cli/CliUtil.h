// Small shared pieces of the command-line front: typed dates and years in
// historical form, options, output encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/HistoricalYear.h"
#include "calendar/Yidate.h"
#include "chart/DateText.h"
#include "cli/Commands.h"

namespace varrow::cli {

// Historical year (no 0, -120 is 120 BC) <-> astronomical.
constexpr int toAstronomical(int historical) { return toStoredYear(historical); }
constexpr int toHistorical(int astronomical) { return toHistoricalYear(astronomical); }

std::optional<int> parseInt(std::string_view s);
// "Y-MM-DD" with a historical year, e.g. "-120-06-01" or "2000-01-01".
std::optional<SolarDate> parseDate(std::string_view s);
// "HH:MM".
bool parseTime(std::string_view s, SolarDate& d);

// Options: "--name value" pairs and bare flags, after the positional words.
class Options {
public:
    explicit Options(const Args& args);
    bool flag(std::string_view name) const;
    std::optional<std::string> value(std::string_view name) const;
    const Args& positional() const { return positional_; }

private:
    Args positional_;
    Args words_;
};

// Writes UTF-8 text to standard output, or GBK when --gbk was given.
void out(std::string_view utf8);
void setGbkOutput(bool on);
// Prints the message on standard error and returns exit status 1.
int fail(std::string_view utf8);

} // namespace varrow::cli
