// The texts and tables the program carries, embedded at build time from
// resources/text/. Every text is UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varrow::Resources {

// The whole text of the named resource (its file name without extension);
// empty when there is no such resource.
std::string_view text(std::string_view name);

// The text split into lines, without their line breaks ("\r\n" or "\n").
// A final line break does not add an empty last line.
std::vector<std::string> lines(std::string_view name);

bool has(std::string_view name);

// Numbered string from text/strings.tsv: lines "id<TAB>text"; in the text
// "\n", "\t" and "\\" stand for a line break, a tab and a backslash. Lines that
// do not start with a number are ignored. Empty when the id is unknown.
std::string_view string(int id);

// The pieces the lookups above are made of, for texts that do not come from
// the embedded files.
std::vector<std::string> splitLines(std::string_view text);
std::unordered_map<int, std::string> parseStringTable(std::string_view tsv);

} // namespace varrow::Resources
