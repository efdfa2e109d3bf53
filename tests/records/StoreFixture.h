// A fresh program directory per test, and an independent reader of the
// record files that knows the layout by its own offsets.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "records/Database.h"

namespace varrow::testing {

namespace fs = std::filesystem;

inline fs::path makeTempDir(const char* prefix) {
    std::string tmpl = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(tmpl.data())) return {};
    return tmpl;
}

inline std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The first n bytes only (data files may be large).
inline std::string headBytes(const fs::path& p, std::size_t n) {
    std::string s(n, '\0');
    std::ifstream in(p, std::ios::binary);
    in.read(s.data(), std::streamsize(n));
    s.resize(std::size_t(in.gcount()));
    return s;
}

inline void writeBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// Little-endian fields straight from the bytes.
inline std::uint32_t le(const std::string& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= std::uint32_t(static_cast<unsigned char>(b.at(at + i))) << (8 * i);
    return v;
}
inline std::int16_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::int16_t>(le(b, at, 2));
}
inline std::int32_t le32(const std::string& b, std::size_t at) {
    return static_cast<std::int32_t>(le(b, at, 4));
}
inline float lef(const std::string& b, std::size_t at) {
    std::uint32_t u = le(b, at, 4);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
// A zero-terminated field's bytes.
inline std::string cstr(const std::string& b, std::size_t at, std::size_t size) {
    std::string s = b.substr(at, size);
    return s.substr(0, s.find('\0'));
}

// Sets the header fields of data file 0 directly.
inline void pokeHeader(const fs::path& file0, int kind, std::int32_t count, std::int32_t deleted, bool reuse,
                       std::int16_t dataFiles) {
    std::fstream f(file0, std::ios::binary | std::ios::in | std::ios::out);
    unsigned char h[20] = {};
    h[0] = static_cast<unsigned char>(kind);
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<unsigned char>(std::uint32_t(count) >> (8 * i));
    for (int i = 0; i < 4; ++i) h[8 + i] = static_cast<unsigned char>(std::uint32_t(deleted) >> (8 * i));
    h[12] = reuse ? 1 : 0;
    h[14] = static_cast<unsigned char>(dataFiles);
    h[15] = static_cast<unsigned char>(dataFiles >> 8);
    f.write(reinterpret_cast<const char*>(h), 20);
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = makeTempDir("varrow-store");
        ASSERT_FALSE(home.empty());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(home, ec);
    }
    fs::path file0(ChartKind k = ChartKind::Bazi) const {
        return home / "dat" / MDataBase::dataFileName(k, 0);
    }
    RecordImage named(std::string_view name, int year = 1980) {
        RecordImage r;
        setFixed(r.name, name);
        setFixed(r.category, "临时保存");
        r.year = static_cast<std::int16_t>(year);
        r.month = 1;
        r.day = 1;
        r.isMale = 1;
        return r;
    }
    fs::path home;
    MDataBase db;
};

} // namespace varrow::testing
