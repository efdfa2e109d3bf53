#include "settings/IniFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "text/Gbk.h"

namespace varrow {

struct IniFile::Impl {
    // Keys compare case-insensitively, as INI files always have; that is why
    // the text must be UTF-8 here and never raw GBK.
    CSimpleIniA ini{true, false, false};
    Impl() { ini.SetSpaces(false); }
};

namespace {

std::string str(std::string_view s) { return std::string(s); }

std::optional<int> parseDecimal(const char* text) {
    std::string_view s(text);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

} // namespace

bool readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[8192];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    // A fresh program directory may not have its dat folder yet.
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = "无法写入文件 " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    int savedErrno = errno;
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        savedErrno = errno;
        ok = false;
    }
    if (!ok) {
        std::remove(tmp.c_str());
        error = "无法写入文件 " + path.string() + ": " + std::strerror(savedErrno);
    }
    return ok;
}

IniFile::IniFile() : impl_(std::make_unique<Impl>()) {}

IniFile::IniFile(std::filesystem::path path, bool writeThrough)
    : impl_(std::make_unique<Impl>()), path_(std::move(path)), writeThrough_(writeThrough) {
    reload();
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

bool IniFile::reload() {
    impl_->ini.Reset();
    std::string bytes;
    if (path_.empty() || !readWholeFile(path_, bytes)) return false;
    loadGbk(bytes);
    return true;
}

void IniFile::loadGbk(std::string_view gbk) {
    impl_->ini.Reset();
    impl_->ini.LoadData(Gbk::toUtf8(gbk));
}

std::string IniFile::toGbk() const {
    std::string utf8;
    impl_->ini.Save(utf8);
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 8);
    for (char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return Gbk::fromUtf8(crlf);
}

bool IniFile::save() {
    if (path_.empty()) return true;
    return writeWholeFile(path_, toGbk(), error_);
}

bool IniFile::written() { return !writeThrough_ || save(); }

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const char* v = impl_->ini.GetValue(str(section).c_str(), str(key).c_str(), nullptr);
    return v ? std::string(v) : std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    const char* v = impl_->ini.GetValue(str(section).c_str(), str(key).c_str(), nullptr);
    if (!v) return fallback;
    return parseDecimal(v).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return impl_->ini.KeyExists(str(section).c_str(), str(key).c_str());
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // One line per value: a line break would start a new key.
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    impl_->ini.SetValue(str(section).c_str(), str(key).c_str(), v.c_str());
    return written();
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::sections() const {
    CSimpleIniA::TNamesDepend names;
    impl_->ini.GetAllSections(names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> out;
    for (const auto& e : names) out.emplace_back(e.pItem);
    return out;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    CSimpleIniA::TNamesDepend names;
    impl_->ini.GetAllKeys(str(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> out;
    for (const auto& e : names) out.emplace_back(e.pItem);
    return out;
}

} // namespace varrow
