// INI files in GBK on disk, UTF-8 in memory. Missing files, sections, keys
// and unreadable values give the caller's default; keys keep file order.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varrow {

// A typed key with its default, so callers never parse values themselves.
struct IntKey {
    std::string_view section, key;
    int fallback;
};
struct BoolKey {
    std::string_view section, key;
    bool fallback;
};
struct TextKey {
    std::string_view section, key;
    std::string_view fallback;
};

class IniFile {
public:
    // An empty file with no path (nothing is saved).
    IniFile();
    // Loads path at once. With writeThrough every write goes to disk at once.
    explicit IniFile(std::filesystem::path path, bool writeThrough = false);
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    // Replaces the contents by the file's; a missing file loads empty and
    // answers false, as does an unreadable one.
    bool reload();
    // Parses GBK text as the file would hold it.
    void loadGbk(std::string_view gbk);
    // Writes the whole file as GBK with "\r\n" line ends; false on failure.
    bool save();
    // The GBK text save() writes.
    std::string toGbk() const;

    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Decimal integer; anything else gives the fallback.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    // An integer other than 0 is true.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    bool hasKey(std::string_view section, std::string_view key) const;

    // Create the section or key when missing. False when write-through could
    // not save (the value is kept in memory).
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

    int get(const IntKey& k) const { return readInteger(k.section, k.key, k.fallback); }
    bool get(const BoolKey& k) const { return readBool(k.section, k.key, k.fallback); }
    std::string get(const TextKey& k) const { return readString(k.section, k.key, k.fallback); }
    bool set(const IntKey& k, int v) { return writeInteger(k.section, k.key, v); }
    bool set(const BoolKey& k, bool v) { return writeBool(k.section, k.key, v); }
    bool set(const TextKey& k, std::string_view v) { return writeString(k.section, k.key, v); }

    std::vector<std::string> sections() const;
    // The keys of a section in file order (new keys last).
    std::vector<std::string> keys(std::string_view section) const;

    const std::filesystem::path& path() const { return path_; }
    // What went wrong with the last failed save, in UTF-8.
    const std::string& lastError() const { return error_; }

private:
    struct Impl;
    bool written();
    std::unique_ptr<Impl> impl_;
    std::filesystem::path path_;
    bool writeThrough_ = false;
    std::string error_;
};

// Whole-file helpers shared by the settings and the closing text.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);
// Writes through a temporary file and renames it, so a failed write leaves
// the old file whole. error gets a UTF-8 description on failure.
bool writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

} // namespace varrow
