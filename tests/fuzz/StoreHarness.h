// What the fuzz targets do with one input, shared with the tests that replay
// their corpus under the normal (and the sanitizer) build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "records/Database.h"
#include "settings/IniFile.h"

namespace varrow::fuzz {

// The input as data file 0 of a store (and, past 60000 bytes, nothing more:
// the store clamps to what the file holds). Every operation must answer
// without crashing or reading past a field.
inline void storeInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path home = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "varrow-fuzz-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        return std::filesystem::path(tmpl);
    }();
    std::filesystem::create_directories(home / "dat");
    std::filesystem::remove_all(home / "liuyao_f");
    std::filesystem::remove(home / "dat" / "liuyao1.dat");
    {
        std::ofstream f(home / "dat" / "liuyao0.dat", std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    MDataBase db;
    if (!db.open(home, ChartKind::Liuyao, false)) return;
    std::int32_t n = db.count();
    RecordImage r;
    for (std::int32_t id = -1; id <= n && id < 64; ++id)
        if (db.read(id, r)) {
            (void)getFixed(r.name);
            (void)getFixed(r.remark);
            (void)requestFromRecord(r, ChartKind::Liuyao);
        }
    std::vector<std::int32_t> ids;
    SearchCriteria c;
    c.name = "张";
    c.nameMode = SearchCriteria::Contains;
    db.search(c, ids);
    if (size > 0 && data[0] & 1) db.remove(0);
    db.add(r);
    db.search({}, ids);
}

// Raw record and header images decode field by field, whatever the bytes.
inline void recordInput(const std::uint8_t* data, std::size_t size) {
    RecordBytes b{};
    for (std::size_t i = 0; i < b.size() && i < size; ++i) b[i] = data[i];
    RecordImage r;
    decodeRecord(b.data(), r);
    (void)getFixed(r.category);
    (void)getFixed(r.question);
    (void)getFixed(r.place);
    (void)decodeHeader(b.data());
    RecordBytes again = encodeRecord(r);
    if (again != b) std::abort(); // decoding keeps every byte
}

// The input as a GBK INI text.
inline void iniInput(const std::uint8_t* data, std::size_t size) {
    IniFile ini;
    ini.loadGbk(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& s : ini.sections())
        for (const std::string& k : ini.keys(s)) {
            (void)ini.readInteger(s, k, 0);
            (void)ini.readString(s, k, "");
        }
    ini.writeString("classes", "1", "临时保存");
    IniFile back;
    back.loadGbk(ini.toGbk());
    if (back.readString("classes", "1", "") != "临时保存") std::abort();
}

} // namespace varrow::fuzz
