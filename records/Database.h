// MDataBase: the saved charts of the seven kinds in fixed-size binary
// records (dat/<kind><n>.dat, 50000 slots a file, the header in file 0) and
// one rich-text note per record in the folder <kind>_f. A record's id is its
// slot. No file stays open between operations.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/RecordImage.h"

namespace varrow {

struct SearchCriteria {
    enum Mode : std::uint8_t { NotTested = 0, Contains = 1, Equals = 2 };
    std::string name, category, question;  // UTF-8; held to 11, 13 and 41 GBK bytes
    std::uint8_t sex = 0;                  // 1 male, 0 female
    std::int16_t yearFrom = 0, yearTo = 0; // astronomical, both included
    std::int16_t province = -1;            // -1 any
    std::uint8_t nameMode = NotTested, categoryMode = NotTested, questionMode = NotTested;
    bool sexTest = false, yearTest = false;
};

// Whether a record passes every active test (the question test only for the
// question kinds).
bool matchesCriteria(const RecordImage& r, const SearchCriteria& c, ChartKind kind);

class MDataBase {
public:
    // Points the store at a kind. With create, makes dat/ and a fresh header
    // when data file 0 is missing. False (see lastError) when that fails.
    bool open(const std::filesystem::path& home, ChartKind kind, bool create = true);

    // The new id, or nothing when the store could not be written.
    std::optional<std::int32_t> add(const RecordImage& r);
    // False for an id outside 0 .. count - 1, a deleted slot or an unreadable one.
    bool read(std::int32_t id, RecordImage& r);
    // Writes a live slot; false for a missing or deleted one, or a failed write.
    bool update(std::int32_t id, const RecordImage& r);
    // Marks a live slot deleted; false when there is none or the write failed.
    bool remove(std::int32_t id);
    // Slot count, clamped to the slots the files really hold; 0 when unreadable.
    std::int32_t count();
    // Live ids passing the criteria, in slot order. False when unreadable.
    bool search(const SearchCriteria& c, std::vector<std::int32_t>& ids);

    // Deletes the kind's data files and its notes.
    bool clear();
    // Copies the data files and the notes into folder (notes into <kind>_f).
    bool exportTo(const std::filesystem::path& folder);
    // Copies the files of the kind beside dataFile0 (a data file 0 of this kind)
    // and the notes of its <kind>_f folder into the program's store.
    bool importFrom(const std::filesystem::path& dataFile0);

    // The header as last read (count and deleted clamped).
    bool readHeader(StoreHeader& h);
    ChartKind kind() const { return kind_; }
    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path dataFilePath(int n) const;
    std::filesystem::path notesFolder() const;
    std::filesystem::path notePath(std::int32_t id) const;
    // UTF-8 description of the last failure.
    const std::string& lastError() const { return error_; }

    // The name of data file n of a kind ("bazi0.dat") and of its notes folder ("bazi_f").
    static std::string dataFileName(ChartKind kind, int n);
    static std::string notesFolderName(ChartKind kind);
    // Reads and checks a header file of the given kind.
    static bool readHeaderFile(const std::filesystem::path& path, ChartKind kind, StoreHeader& h,
                               std::string& error, std::uintmax_t* fileSize = nullptr);

private:
    bool loadHeader();
    HeaderBytes settledHeader();
    bool storeHeader();
    bool readSlot(std::int32_t slot, unsigned char* bytes);
    bool writeSlot(std::int32_t slot, const unsigned char* bytes, bool withHeader = false);
    std::int32_t slotsOnDisk(std::int32_t upTo, std::uintmax_t size0) const;
    template <typename F> bool scanSlots(std::int32_t count, F&& visit);
    bool fail(std::string message);

    std::filesystem::path home_;
    ChartKind kind_ = ChartKind::Bazi;
    bool opened_ = false;
    StoreHeader header_;
    std::string error_;
};

} // namespace varrow
