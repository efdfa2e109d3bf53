#include "records/HistoryMenu.h"

namespace fs = std::filesystem;

namespace varrow::history {
namespace {

std::string folderText(const fs::path& folder) {
    std::string s = folder.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

Outcome failed(ChartKind kind, const MDataBase& db) {
    return {false, std::string(tabCaption(kind)) + "：" + db.lastError()};
}

} // namespace

Outcome exportAll(MDataBase& db, const fs::path& home, const fs::path& folder) {
    for (int i = 0; i < kChartKindCount; ++i) {
        ChartKind kind = static_cast<ChartKind>(i);
        if (!db.open(home, kind) || !db.exportTo(folder)) return failed(kind, db);
    }
    return {true, "成功导出，已保存到" + folderText(folder) + "目录下"};
}

Outcome importAll(MDataBase& db, const fs::path& home, const fs::path& folder) {
    std::error_code ec;
    // Clearing first would delete the very files (or notes) to be imported.
    if (fs::equivalent(folder, home / "dat", ec) || fs::equivalent(folder, home, ec))
        return {false, "不能从程序自己的目录导入历史记录，未做任何改动。"};
    // Check every header first: a half-done import would lose the history.
    bool any = false;
    for (int i = 0; i < kChartKindCount; ++i) {
        ChartKind kind = static_cast<ChartKind>(i);
        fs::path first = folder / MDataBase::dataFileName(kind, 0);
        if (!fs::exists(first, ec)) continue;
        StoreHeader h;
        std::string error;
        if (!MDataBase::readHeaderFile(first, kind, h, error)) return {false, error + "\n未做任何改动。"};
        any = true;
    }
    if (!any) return {false, "所选目录" + folderText(folder) + "中没有历史记录文件，未做任何改动。"};
    for (int i = 0; i < kChartKindCount; ++i) {
        ChartKind kind = static_cast<ChartKind>(i);
        fs::path first = folder / MDataBase::dataFileName(kind, 0);
        if (!db.open(home, kind, false) || !db.clear()) return failed(kind, db);
        // A kind missing in the folder ends up empty, as the import replaces all history.
        if (fs::exists(first, ec) && !db.importFrom(first)) return failed(kind, db);
    }
    return {true, "成功导入，请重启软件！"};
}

Outcome clearAll(MDataBase& db, const fs::path& home) {
    for (int i = 0; i < kChartKindCount; ++i) {
        ChartKind kind = static_cast<ChartKind>(i);
        if (!db.open(home, kind, false) || !db.clear()) return failed(kind, db);
    }
    return {true, "清除完成,请重启软件。"};
}

} // namespace varrow::history
