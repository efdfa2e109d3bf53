// The history operations of the "文件(&F)" menu over all seven kinds. The
// main window asks for the folder and the confirmations, calls these, and
// shows the message (then closes after a successful import or clear).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "records/Database.h"

namespace varrow::history {

inline constexpr std::string_view kExportFolderTitle = "请选择导出历史记录的目录";
inline constexpr std::string_view kImportFolderTitle = "请选择导入历史记录的目录";
inline constexpr std::string_view kClearQuestion1 = "这将清除所有历史记录，要继续吗？";
inline constexpr std::string_view kClearQuestion2 = "确定要清除吗？";
inline constexpr std::string_view kClearTitle = "注意了";

struct Outcome {
    bool ok = false;
    std::string message; // the notice to show, UTF-8
};

Outcome exportAll(MDataBase& db, const std::filesystem::path& home, const std::filesystem::path& folder);
// Refuses, changing nothing, when the folder holds no data file 0 of any
// kind, holds a damaged one, or is the program's own data folder.
Outcome importAll(MDataBase& db, const std::filesystem::path& home, const std::filesystem::path& folder);
Outcome clearAll(MDataBase& db, const std::filesystem::path& home);

} // namespace varrow::history
