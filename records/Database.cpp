#include "records/Database.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <system_error>

#include "text/Gbk.h"

namespace fs = std::filesystem;

namespace varrow {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const fs::path& p, const char* mode) { return File(std::fopen(p.c_str(), mode)); }

// Closes and reports whether everything written reached the file.
bool closeWritten(File f) {
    std::FILE* raw = f.release();
    bool ok = std::fflush(raw) == 0;
    return std::fclose(raw) == 0 && ok;
}

std::string describe(const fs::path& p, int err) { return p.string() + ": " + std::strerror(err); }

std::int32_t derivedDataFiles(std::int32_t count) { return count > 0 ? (count - 1) / kSlotsPerFile + 1 : 1; }

long slotOffset(std::int32_t slot) {
    long inFile = slot % kSlotsPerFile;
    return inFile * static_cast<long>(kRecordSize) +
           (slot < kSlotsPerFile ? static_cast<long>(kHeaderSize) : 0);
}

// The text of a GBK field up to its terminator or its size.
std::string_view fieldBytes(const char* field, std::size_t size) {
    return std::string_view(field, Gbk::fieldLength(field, size));
}

// Byte substring of whole GBK characters: a match may not start inside one.
bool containsGbk(std::string_view hay, std::string_view needle) {
    if (needle.empty()) return true;
    for (std::size_t i = 0; i + needle.size() <= hay.size();) {
        if (hay.compare(i, needle.size(), needle) == 0) return true;
        unsigned char c = static_cast<unsigned char>(hay[i]);
        i += (c >= 0x81 && c <= 0xFE) ? 2 : 1;
    }
    return false;
}

template <std::size_t N> std::string criteriaBytes(std::string_view utf8) {
    char field[N];
    writeFixedField(field, N, utf8);
    return std::string(field);
}

bool textPasses(std::uint8_t mode, std::string_view field, std::string_view text) {
    switch (mode) {
    case SearchCriteria::Contains:
        return containsGbk(field, text);
    case SearchCriteria::Equals:
        return field == text;
    default:
        return true;
    }
}

// Copies one file, overwriting. A missing source is skipped.
bool copyIfPresent(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return true;
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return true;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) {
        error = "无法复制 " + from.string() + " 到 " + to.string() + ": " + ec.message();
        return false;
    }
    return true;
}

bool copyNotes(const fs::path& fromFolder, const fs::path& toFolder, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(fromFolder, ec)) return true;
    if (fs::exists(toFolder, ec) && fs::equivalent(fromFolder, toFolder, ec)) return true;
    if (!fs::is_directory(toFolder, ec) && !fs::create_directories(toFolder, ec)) {
        error = "无法建立目录 " + toFolder.string() + ": " + ec.message();
        return false;
    }
    for (const fs::directory_entry& e : fs::directory_iterator(fromFolder, ec)) {
        if (!e.is_regular_file(ec) || e.path().extension() != ".rtf") continue;
        if (!copyIfPresent(e.path(), toFolder / e.path().filename(), error)) return false;
    }
    if (ec) {
        error = "无法读取目录 " + fromFolder.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace

bool matchesCriteria(const RecordImage& r, const SearchCriteria& c, ChartKind kind) {
    if (!textPasses(c.nameMode, fieldBytes(r.name, sizeof r.name), criteriaBytes<12>(c.name))) return false;
    if (!textPasses(c.categoryMode, fieldBytes(r.category, sizeof r.category), criteriaBytes<14>(c.category)))
        return false;
    if (!isBirthKind(kind) &&
        !textPasses(c.questionMode, fieldBytes(r.question, sizeof r.question), criteriaBytes<42>(c.question)))
        return false;
    if (c.sexTest && (r.isMale != 0) != (c.sex != 0)) return false;
    if (c.yearTest && (r.year < c.yearFrom || r.year > c.yearTo)) return false;
    if (c.province != -1 && c.province != r.province) return false;
    return true;
}

std::string MDataBase::dataFileName(ChartKind kind, int n) {
    return std::string(storeName(kind)) + std::to_string(n) + ".dat";
}
std::string MDataBase::notesFolderName(ChartKind kind) { return std::string(storeName(kind)) + "_f"; }

fs::path MDataBase::dataFilePath(int n) const { return home_ / "dat" / dataFileName(kind_, n); }
fs::path MDataBase::notesFolder() const { return home_ / notesFolderName(kind_); }
fs::path MDataBase::notePath(std::int32_t id) const { return notesFolder() / (std::to_string(id) + ".rtf"); }

bool MDataBase::fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool MDataBase::readHeaderFile(const fs::path& path, ChartKind kind, StoreHeader& h, std::string& error,
                               std::uintmax_t* fileSize) {
    File f = openFile(path, "rb");
    if (!f) {
        error = "无法打开记录文件 " + describe(path, errno);
        return false;
    }
    unsigned char bytes[kHeaderSize];
    if (std::fread(bytes, 1, kHeaderSize, f.get()) != kHeaderSize) {
        error = "记录文件头已损坏（不足20字节）：" + path.string();
        return false;
    }
    h = decodeHeader(bytes);
    struct stat st;
    if (fileSize) *fileSize = fstat(fileno(f.get()), &st) == 0 ? static_cast<std::uintmax_t>(st.st_size) : 0;
    if (h.kind != static_cast<std::uint8_t>(kind) || h.count < 0 || h.deleted < 0) {
        error = "记录文件头已损坏：" + path.string();
        return false;
    }
    return true;
}

bool MDataBase::open(const fs::path& home, ChartKind kind, bool create) {
    home_ = home;
    kind_ = kind;
    opened_ = true;
    error_.clear();
    std::error_code ec;
    fs::path first = dataFilePath(0);
    if (fs::exists(first, ec) || !create) return true;
    fs::create_directories(first.parent_path(), ec);
    header_ = StoreHeader{};
    header_.kind = static_cast<std::uint8_t>(kind);
    File f = openFile(first, "wb");
    if (!f) return fail("无法建立记录文件 " + describe(first, errno));
    HeaderBytes b = encodeHeader(header_);
    bool ok = std::fwrite(b.data(), 1, b.size(), f.get()) == b.size();
    if (!closeWritten(std::move(f)) || !ok) return fail("无法写入记录文件 " + describe(first, errno));
    return true;
}

// Slots present in the data files, counting up to upTo: file 0 after its
// header, then the next files while each one before them is full.
std::int32_t MDataBase::slotsOnDisk(std::int32_t upTo, std::uintmax_t size0) const {
    std::int32_t slots = 0;
    for (int n = 0; slots < upTo; ++n) {
        std::error_code ec;
        std::uintmax_t size = n == 0 ? size0 : fs::file_size(dataFilePath(n), ec);
        if (ec) break;
        std::uintmax_t body = n == 0 ? (size > kHeaderSize ? size - kHeaderSize : 0) : size;
        std::int32_t inFile =
            static_cast<std::int32_t>(std::min<std::uintmax_t>(body / kRecordSize, kSlotsPerFile));
        slots += inFile;
        if (inFile < kSlotsPerFile) break;
    }
    return std::min(slots, upTo);
}

bool MDataBase::loadHeader() {
    if (!opened_) return fail("记录库尚未打开");
    StoreHeader h;
    std::uintmax_t size0 = 0;
    if (!readHeaderFile(dataFilePath(0), kind_, h, error_, &size0)) return false;
    // A truncated file holds fewer slots than its header claims.
    h.count = slotsOnDisk(h.count, size0);
    h.deleted = std::clamp(h.deleted, 0, h.count);
    h.dataFiles = static_cast<std::int16_t>(derivedDataFiles(h.count));
    header_ = h;
    return true;
}

bool MDataBase::readHeader(StoreHeader& h) {
    if (!loadHeader()) return false;
    h = header_;
    return true;
}

HeaderBytes MDataBase::settledHeader() {
    header_.dataFiles = static_cast<std::int16_t>(derivedDataFiles(header_.count));
    if (header_.deleted == 0) header_.reuse = false;
    return encodeHeader(header_);
}

bool MDataBase::storeHeader() {
    fs::path first = dataFilePath(0);
    File f = openFile(first, "r+b");
    if (!f) return fail("无法写入记录文件 " + describe(first, errno));
    HeaderBytes b = settledHeader();
    bool ok = std::fwrite(b.data(), 1, b.size(), f.get()) == b.size();
    if (!closeWritten(std::move(f)) || !ok) return fail("无法写入记录文件 " + describe(first, errno));
    return true;
}

bool MDataBase::readSlot(std::int32_t slot, unsigned char* bytes) {
    fs::path p = dataFilePath(slot / kSlotsPerFile);
    File f = openFile(p, "rb");
    if (!f) return fail("无法打开记录文件 " + describe(p, errno));
    if (std::fseek(f.get(), slotOffset(slot), SEEK_SET) != 0 ||
        std::fread(bytes, 1, kRecordSize, f.get()) != kRecordSize)
        return fail("记录 " + std::to_string(slot) + " 无法读出：" + p.string());
    return true;
}

// With withHeader the header follows the record: in the same file session
// when the slot lies in file 0, else in its own.
bool MDataBase::writeSlot(std::int32_t slot, const unsigned char* bytes, bool withHeader) {
    fs::path p = dataFilePath(slot / kSlotsPerFile);
    File f = openFile(p, "r+b");
    if (!f && errno == ENOENT && slot >= kSlotsPerFile) f = openFile(p, "w+b");
    if (!f) return fail("无法写入记录文件 " + describe(p, errno));
    bool ok = std::fseek(f.get(), slotOffset(slot), SEEK_SET) == 0 &&
              std::fwrite(bytes, 1, kRecordSize, f.get()) == kRecordSize;
    if (withHeader && slot < kSlotsPerFile) {
        HeaderBytes h = settledHeader();
        ok = ok && std::fseek(f.get(), 0, SEEK_SET) == 0 &&
             std::fwrite(h.data(), 1, h.size(), f.get()) == h.size();
        withHeader = false;
    }
    if (!closeWritten(std::move(f)) || !ok) return fail("无法写入记录文件 " + describe(p, errno));
    return !withHeader || storeHeader();
}

// Reads slots 0 .. count - 1 in order, a block at a time; visit(slot, bytes)
// returns false to stop early.
template <typename F> bool MDataBase::scanSlots(std::int32_t count, F&& visit) {
    constexpr std::int32_t kBlock = 512;
    std::vector<unsigned char> buf(kBlock * kRecordSize);
    for (std::int32_t first = 0; first < count;) {
        int n = first / kSlotsPerFile;
        fs::path p = dataFilePath(n);
        File f = openFile(p, "rb");
        if (!f || std::fseek(f.get(), slotOffset(first), SEEK_SET) != 0)
            return fail("无法读取记录文件 " + describe(p, errno));
        std::int32_t fileEnd = std::min(count, (n + 1) * kSlotsPerFile);
        while (first < fileEnd) {
            std::int32_t want = std::min(kBlock, fileEnd - first);
            std::size_t got = std::fread(buf.data(), kRecordSize, want, f.get());
            for (std::size_t i = 0; i < got; ++i)
                if (!visit(first + static_cast<std::int32_t>(i), buf.data() + i * kRecordSize)) return true;
            if (got < static_cast<std::size_t>(want)) return fail("记录文件过短：" + p.string());
            first += want;
        }
    }
    return true;
}

std::optional<std::int32_t> MDataBase::add(const RecordImage& record) {
    if (!loadHeader()) return std::nullopt;
    std::int32_t slot = -1;
    if (header_.reuse) {
        if (!scanSlots(header_.count, [&](std::int32_t s, const unsigned char* b) {
                if (b[kDeletedFlagOffset] != 1) return true;
                slot = s;
                return false;
            }))
            return std::nullopt;
    }
    bool reused = slot >= 0;
    if (!reused) {
        if (header_.count == INT32_MAX || derivedDataFiles(header_.count + 1) > INT16_MAX) {
            fail("记录已满");
            return std::nullopt;
        }
        slot = header_.count;
    }
    RecordImage r = record;
    r.id = slot;
    r.deleted = 0;
    if (reused) {
        --header_.deleted;
    } else {
        // The flag was on but no deleted slot is left: the counts were stale.
        if (header_.reuse) header_.deleted = 0;
        ++header_.count;
    }
    // The record goes first: a header that fails after it leaves the slot
    // beyond the count, to be written again by the next add.
    if (!writeSlot(slot, encodeRecord(r).data(), true)) return std::nullopt;
    return slot;
}

bool MDataBase::read(std::int32_t id, RecordImage& r) {
    if (!loadHeader() || id < 0 || id >= header_.count) return false;
    RecordBytes b;
    if (!readSlot(id, b.data()) || b[kDeletedFlagOffset] == 1) return false;
    decodeRecord(b.data(), r);
    r.id = id;
    return true;
}

bool MDataBase::update(std::int32_t id, const RecordImage& record) {
    if (!loadHeader()) return false;
    if (id < 0 || id >= header_.count) return fail("没有记录 " + std::to_string(id));
    RecordBytes old;
    if (!readSlot(id, old.data())) return false;
    if (old[kDeletedFlagOffset] == 1) return fail("记录 " + std::to_string(id) + " 已删除");
    RecordImage r = record;
    r.id = id;
    r.deleted = 0;
    return writeSlot(id, encodeRecord(r).data());
}

bool MDataBase::remove(std::int32_t id) {
    if (!loadHeader()) return false;
    if (id < 0 || id >= header_.count) return fail("没有记录 " + std::to_string(id));
    RecordBytes b;
    if (!readSlot(id, b.data())) return false;
    // Deleting twice would count one slot twice and send a later add looking in vain.
    if (b[kDeletedFlagOffset] == 1) return fail("记录 " + std::to_string(id) + " 已删除");
    b[kDeletedFlagOffset] = 1;
    ++header_.deleted;
    if (header_.deleted >= 30) header_.reuse = true;
    return writeSlot(id, b.data(), true);
}

std::int32_t MDataBase::count() { return loadHeader() ? header_.count : 0; }

bool MDataBase::search(const SearchCriteria& c, std::vector<std::int32_t>& ids) {
    ids.clear();
    if (!loadHeader()) return false;
    RecordImage r;
    return scanSlots(header_.count, [&](std::int32_t s, const unsigned char* b) {
        if (b[kDeletedFlagOffset] == 1) return true;
        decodeRecord(b, r);
        if (matchesCriteria(r, c, kind_)) ids.push_back(s);
        return true;
    });
}

bool MDataBase::clear() {
    if (!opened_) return fail("记录库尚未打开");
    StoreHeader h;
    std::string ignored;
    int files = readHeaderFile(dataFilePath(0), kind_, h, ignored) ? derivedDataFiles(h.count) : 1;
    std::error_code ec;
    // Also any further files left beside them.
    for (int n = 0; n < files || fs::exists(dataFilePath(n), ec); ++n) {
        fs::remove(dataFilePath(n), ec);
        if (ec) return fail("无法删除 " + dataFilePath(n).string() + ": " + ec.message());
    }
    if (!fs::is_directory(notesFolder(), ec)) return true;
    std::vector<fs::path> notes;
    for (const fs::directory_entry& e : fs::directory_iterator(notesFolder(), ec))
        if (e.path().extension() == ".rtf") notes.push_back(e.path());
    for (const fs::path& p : notes)
        if (!fs::remove(p, ec) && ec) return fail("无法删除 " + p.string() + ": " + ec.message());
    return true;
}

bool MDataBase::exportTo(const fs::path& folder) {
    if (!loadHeader()) return false;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return fail("目录不存在：" + folder.string());
    if (fs::equivalent(folder, home_ / "dat", ec)) return fail("不能导出到程序自己的数据目录");
    for (int n = 0; n < header_.dataFiles; ++n)
        if (!copyIfPresent(dataFilePath(n), folder / dataFileName(kind_, n), error_)) return false;
    fs::path target = folder / notesFolderName(kind_);
    if (!fs::is_directory(target, ec) && !fs::create_directories(target, ec))
        return fail("无法建立目录 " + target.string() + ": " + ec.message());
    return copyNotes(notesFolder(), target, error_);
}

bool MDataBase::importFrom(const fs::path& dataFile0) {
    if (!opened_) return fail("记录库尚未打开");
    StoreHeader h;
    if (!readHeaderFile(dataFile0, kind_, h, error_)) return false;
    fs::path folder = dataFile0.parent_path();
    std::error_code ec;
    fs::create_directories(home_ / "dat", ec);
    for (int n = 0; n < derivedDataFiles(h.count); ++n)
        if (!copyIfPresent(folder / dataFileName(kind_, n), dataFilePath(n), error_)) return false;
    // The notes come along even when the program has no notes folder yet.
    return copyNotes(folder / notesFolderName(kind_), notesFolder(), error_);
}

} // namespace varrow
