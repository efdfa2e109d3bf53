// The closing text dat/EndInfo.txt: GBK lines ending in "\r\n".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

namespace varrow {

std::filesystem::path endInfoPath(const std::filesystem::path& home);

// Lines split at "\r\n", "\n" or "\r"; a final line break adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// The lines of the file, or nothing when it is missing.
std::optional<std::vector<std::string>> readEndInfo(const std::filesystem::path& home);
// Each line followed by "\r\n"; false (with error) when the file cannot be written.
bool writeEndInfo(const std::filesystem::path& home, const std::vector<std::string>& lines,
                  std::string& error);

// What a text engine appends to its report: every line followed by "\n" when
// global/endinfo is on and the file exists, else nothing.
std::string closingText(const std::filesystem::path& home, const IniFile& chartSettings);

} // namespace varrow
