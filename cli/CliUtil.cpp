#include "cli/CliUtil.h"

#include <charconv>
#include <cstdio>

#include "text/Gbk.h"

namespace varrow::cli {
namespace {
bool gbkOutput = false;
}

std::optional<int> parseInt(std::string_view s) {
    int v = 0;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

std::optional<SolarDate> parseDate(std::string_view s) {
    // The year may carry a leading minus; month and day follow the last two dashes.
    auto last = s.rfind('-');
    if (last == std::string_view::npos || last == 0) return std::nullopt;
    auto mid = s.rfind('-', last - 1);
    if (mid == std::string_view::npos || mid == 0) return std::nullopt;
    auto y = parseInt(s.substr(0, mid));
    auto m = parseInt(s.substr(mid + 1, last - mid - 1));
    auto d = parseInt(s.substr(last + 1));
    if (!y || !m || !d || *y == 0 || *m < 1 || *m > 12 || *d < 1 || *d > 31) return std::nullopt;
    if (*y < -30000 || *y > 30000) return std::nullopt;
    SolarDate date;
    date.year = static_cast<std::int16_t>(toAstronomical(*y));
    date.month = static_cast<std::int16_t>(*m);
    date.day = static_cast<std::int16_t>(*d);
    return date;
}

bool parseTime(std::string_view s, SolarDate& d) {
    auto colon = s.find(':');
    if (colon == std::string_view::npos) return false;
    auto h = parseInt(s.substr(0, colon));
    auto m = parseInt(s.substr(colon + 1));
    if (!h || !m || *h < 0 || *h > 23 || *m < 0 || *m > 59) return false;
    d.hour = static_cast<std::int16_t>(*h);
    d.minute = static_cast<std::int16_t>(*m);
    return true;
}

// Options that take no value; every other "--word" takes the next argument
// (or "--word=value").
constexpr std::string_view kFlags[] = {"--late-zi", "--leap",  "--lunar", "--true-solar",
                                       "--gbk",     "--exact", "--jsonl", "--help"};

Options::Options(const Args& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() <= 2 || a.compare(0, 2, "--") != 0) {
            positional_.push_back(a);
            continue;
        }
        bool isFlag = false;
        for (auto f : kFlags) isFlag = isFlag || a == f;
        if (isFlag || a.find('=') != std::string::npos || i + 1 >= args.size())
            words_.push_back(a);
        else
            words_.push_back(a + "=" + args[++i]);
    }
}

bool Options::flag(std::string_view name) const {
    for (const auto& w : words_)
        if (w == name) return true;
    return false;
}

std::optional<std::string> Options::value(std::string_view name) const {
    for (const auto& w : words_)
        if (w.size() > name.size() && w.compare(0, name.size(), name) == 0 && w[name.size()] == '=')
            return w.substr(name.size() + 1);
    return std::nullopt;
}

void setGbkOutput(bool on) { gbkOutput = on; }

void out(std::string_view utf8) {
    if (gbkOutput) {
        std::string g = Gbk::fromUtf8(utf8);
        std::fwrite(g.data(), 1, g.size(), stdout);
    } else {
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    }
}

int fail(std::string_view utf8) {
    std::string s(utf8);
    if (gbkOutput) s = Gbk::fromUtf8(s);
    std::fprintf(stderr, "%s\n", s.c_str());
    return 1;
}

} // namespace varrow::cli
