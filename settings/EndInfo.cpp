#include "settings/EndInfo.h"

#include "settings/Settings.h"
#include "text/Gbk.h"

namespace varrow {

std::filesystem::path endInfoPath(const std::filesystem::path& home) { return home / "dat" / "EndInfo.txt"; }

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> readEndInfo(const std::filesystem::path& home) {
    std::string bytes;
    if (!readWholeFile(endInfoPath(home), bytes)) return std::nullopt;
    return splitLines(Gbk::toUtf8(bytes));
}

bool writeEndInfo(const std::filesystem::path& home, const std::vector<std::string>& lines,
                  std::string& error) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return writeWholeFile(endInfoPath(home), Gbk::fromUtf8(text), error);
}

std::string closingText(const std::filesystem::path& home, const IniFile& chartSettings) {
    if (!chartSettings.get(setini::globalEndinfo)) return {};
    std::string text;
    if (auto lines = readEndInfo(home))
        for (const std::string& line : *lines) text += line + "\n";
    return text;
}

} // namespace varrow
