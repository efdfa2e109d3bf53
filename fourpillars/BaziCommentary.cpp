#include "fourpillars/BaziCommentary.h"

#include "resources/Resources.h"

namespace varrow::bazi {
namespace {

// Views of the lines of an embedded text (which lives as long as the program).
std::vector<std::string_view> splitViews(std::string_view rest) {
    std::vector<std::string_view> out;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    while (!rest.empty()) {
        std::size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back(line);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    return out;
}

const std::vector<std::string_view>& linesOf(std::string_view name) {
    // Split once per resource; static initialisation is thread-safe.
    static const std::vector<std::string_view> sanming = splitViews(Resources::text("sanming"));
    static const std::vector<std::string_view> qt01 = splitViews(Resources::text("qt01"));
    static const std::vector<std::string_view> qt02 = splitViews(Resources::text("qt02"));
    static const std::vector<std::string_view> none;
    return name == "sanming" ? sanming : name == "qt01" ? qt01 : name == "qt02" ? qt02 : none;
}

} // namespace

std::string_view sanmingLine(int index) {
    const auto& lines = linesOf("sanming");
    // Lines after the 840th belong to no block.
    if (index < 0 || index >= 840 || index >= static_cast<int>(lines.size())) return {};
    return lines[index];
}

std::vector<std::string_view> qiongtongSection(std::string_view resource, std::string_view key) {
    const auto& lines = linesOf(resource);
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != key) ++i;
    for (++i; i < lines.size() && lines[i] != "[end]"; ++i) out.push_back(lines[i]);
    return out;
}

} // namespace varrow::bazi
