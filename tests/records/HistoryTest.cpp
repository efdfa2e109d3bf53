#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "records/HistoryMenu.h"

namespace varrow {
namespace {

using namespace varrow::testing;

class HistoryTest : public StoreTest {
protected:
    // Two records of every kind, the second deleted, each live one with a note.
    void fill(const fs::path& at) {
        for (int k = 0; k < kChartKindCount; ++k) {
            ChartKind kind = static_cast<ChartKind>(k);
            ASSERT_TRUE(db.open(at, kind));
            for (int i = 0; i < 2; ++i) {
                RecordImage r = named(std::string(tabCaption(kind)) + std::to_string(i));
                setFixed(r.remark, "笔记");
                std::optional<std::int32_t> id = db.add(r);
                ASSERT_TRUE(id);
                fs::create_directories(db.notesFolder());
                writeBytes(db.notePath(*id),
                           "{\\rtf1 " + std::string(storeName(kind)) + std::to_string(*id) + "}");
            }
            ASSERT_TRUE(db.remove(1));
        }
    }
    // Every kind's files and notes, for comparing two program directories.
    std::map<std::string, std::string> snapshot(const fs::path& at) {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(at))
            if (e.is_regular_file()) files[fs::relative(e.path(), at).string()] = fileBytes(e.path());
        return files;
    }
};

TEST_F(HistoryTest, ExportClearImportRoundTripsEveryKind) {
    fill(home);
    fs::path folder = makeTempDir("varrow-export");
    auto before = snapshot(home);

    history::Outcome out = history::exportAll(db, home, folder);
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.message, "成功导出，已保存到" + folder.string() + "/目录下");
    EXPECT_TRUE(fs::exists(folder / "bazi0.dat"));
    EXPECT_TRUE(fs::exists(folder / "liuren_f" / "0.rtf"));

    out = history::clearAll(db, home);
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.message, "清除完成,请重启软件。");
    for (int k = 0; k < kChartKindCount; ++k) {
        EXPECT_FALSE(fs::exists(home / "dat" / MDataBase::dataFileName(ChartKind(k), 0)));
        EXPECT_TRUE(fs::is_empty(home / MDataBase::notesFolderName(ChartKind(k))));
    }

    out = history::importAll(db, home, folder);
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.message, "成功导入，请重启软件！");
    EXPECT_EQ(snapshot(home), before);
    ASSERT_TRUE(db.open(home, ChartKind::Jkj));
    RecordImage r;
    ASSERT_TRUE(db.read(0, r));
    EXPECT_EQ(getFixed(r.name), "金口诀0");
    EXPECT_FALSE(db.read(1, r)) << "still deleted";
    fs::remove_all(folder);
}

TEST_F(HistoryTest, ImportCreatesAMissingNotesFolder) {
    fill(home);
    fs::path folder = makeTempDir("varrow-export");
    ASSERT_TRUE(history::exportAll(db, home, folder).ok);
    fs::path fresh = makeTempDir("varrow-fresh");
    ASSERT_TRUE(history::importAll(db, fresh, folder).ok);
    EXPECT_EQ(snapshot(fresh), snapshot(home));
    fs::remove_all(folder);
    fs::remove_all(fresh);
}

TEST_F(HistoryTest, ImportFromAWrongFolderLosesNothing) {
    fill(home);
    auto before = snapshot(home);
    fs::path empty = makeTempDir("varrow-empty");
    history::Outcome out = history::importAll(db, home, empty);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("没有历史记录文件"), std::string::npos) << out.message;
    EXPECT_EQ(snapshot(home), before);

    // A damaged header anywhere refuses the whole import.
    fs::path damaged = makeTempDir("varrow-damaged");
    ASSERT_TRUE(history::exportAll(db, home, damaged).ok);
    writeBytes(damaged / "qimen0.dat", "short");
    out = history::importAll(db, home, damaged);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("qimen0.dat"), std::string::npos) << out.message;
    EXPECT_EQ(snapshot(home), before);

    // Another kind's file under this kind's name.
    fs::copy_file(damaged / "bazi0.dat", damaged / "qimen0.dat", fs::copy_options::overwrite_existing);
    EXPECT_FALSE(history::importAll(db, home, damaged).ok);
    EXPECT_EQ(snapshot(home), before);

    // The program's own folders would be wiped before they are read.
    out = history::importAll(db, home, home / "dat");
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(snapshot(home), before);
    ASSERT_TRUE(history::exportAll(db, home, home).ok) << "the notes folders are the program's own";
    before = snapshot(home);
    out = history::importAll(db, home, home);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(snapshot(home), before);
    fs::remove_all(empty);
    fs::remove_all(damaged);
}

TEST_F(HistoryTest, ImportWithSomeKindsEmptiesTheOthers) {
    fill(home);
    fs::path folder = makeTempDir("varrow-part");
    ASSERT_TRUE(history::exportAll(db, home, folder).ok);
    for (int k = 1; k < kChartKindCount; ++k) fs::remove(folder / MDataBase::dataFileName(ChartKind(k), 0));
    ASSERT_TRUE(history::importAll(db, home, folder).ok);
    ASSERT_TRUE(db.open(home, ChartKind::Bazi));
    EXPECT_EQ(db.count(), 2);
    ASSERT_TRUE(db.open(home, ChartKind::Ziwei));
    EXPECT_EQ(db.count(), 0);
    fs::remove_all(folder);
}

TEST_F(HistoryTest, ExportCopiesEveryDataFile) {
    ASSERT_TRUE(db.open(home, ChartKind::Xming));
    fs::resize_file(file0(ChartKind::Xming), 20 + 50000ull * 1212);
    pokeHeader(file0(ChartKind::Xming), 2, 50000, 0, false, 1);
    ASSERT_EQ(db.add(named("末")), 50000);
    fs::path folder = makeTempDir("varrow-big");
    ASSERT_TRUE(db.exportTo(folder)) << db.lastError();
    EXPECT_EQ(fs::file_size(folder / "xming1.dat"), 1212u);
    EXPECT_TRUE(fs::is_directory(folder / "xming_f"));
    ASSERT_TRUE(db.clear());
    EXPECT_FALSE(fs::exists(home / "dat" / "xming1.dat"));
    ASSERT_TRUE(db.importFrom(folder / "xming0.dat")) << db.lastError();
    RecordImage r;
    ASSERT_TRUE(db.read(50000, r));
    EXPECT_EQ(getFixed(r.name), "末");
    fs::remove_all(folder);
}

TEST_F(HistoryTest, ExportIntoAMissingFolderFails) {
    fill(home);
    history::Outcome out = history::exportAll(db, home, home / "no" / "such");
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.message.empty());
}

} // namespace
} // namespace varrow
