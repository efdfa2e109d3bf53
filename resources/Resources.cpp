#include "resources/Resources.h"

#include "resources/ResourceIndex.h"

#include <algorithm>
#include <charconv>

namespace varrow::Resources {

namespace {

const embedded::EmbeddedFile* find(std::string_view name) {
    const auto* begin = embedded::files;
    const auto* end = embedded::files + embedded::fileCount;
    const auto* it = std::lower_bound(
        begin, end, name, [](const embedded::EmbeddedFile& f, std::string_view n) { return f.name < n; });
    return it != end && it->name == name ? it : nullptr;
}

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        switch (s[++i]) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\', out += s[i];
            break;
        }
    }
    return out;
}

} // namespace

std::unordered_map<int, std::string> parseStringTable(std::string_view tsv) {
    std::unordered_map<int, std::string> table;
    for (const std::string& line : splitLines(tsv)) {
        int id = 0;
        auto [rest, ec] = std::from_chars(line.data(), line.data() + line.size(), id);
        if (ec != std::errc() || rest == line.data() + line.size() || *rest != '\t') continue;
        const std::size_t textStart = static_cast<std::size_t>(rest - line.data()) + 1;
        table.try_emplace(id, unescape(std::string_view(line).substr(textStart)));
    }
    return table;
}

std::string_view text(std::string_view name) {
    const auto* f = find(name);
    if (!f) return {};
    return {reinterpret_cast<const char*>(f->data), *f->size};
}

std::vector<std::string> splitLines(std::string_view rest) {
    std::vector<std::string> out;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3); // a UTF-8 byte-order mark
    while (!rest.empty()) {
        const std::size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.emplace_back(line);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    return out;
}

std::vector<std::string> lines(std::string_view name) { return splitLines(text(name)); }

bool has(std::string_view name) { return find(name) != nullptr; }

std::string_view string(int id) {
    // Built once, on first use; static initialisation is thread-safe.
    static const std::unordered_map<int, std::string> table = parseStringTable(text("strings"));
    const auto it = table.find(id);
    return it == table.end() ? std::string_view() : std::string_view(it->second);
}

} // namespace varrow::Resources
