// One saved chart as the record files hold it: the 1212-byte record and the
// 20-byte header of data file 0, with explicit little-endian coding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "chart/ChartRequest.h"
#include "chart/FixedField.h"

namespace varrow {

inline constexpr std::size_t kHeaderSize = 20;
inline constexpr std::size_t kRecordSize = 1212;
inline constexpr std::int32_t kSlotsPerFile = 50000;

struct StoreHeader {
    std::uint8_t kind = 0;
    std::int32_t count = 0;   // ids 0 .. count - 1 exist
    std::int32_t deleted = 0; // deleted slots not yet reused
    bool reuse = false;       // new records go into deleted slots
    std::int16_t dataFiles = 1;
};

// Text fields are zero-terminated GBK, as on disk; reserved bytes are kept so
// that a record read and written back is unchanged.
struct RecordImage {
    std::int32_t id = 0;
    std::uint8_t deleted = 0;
    char name[12] = {};
    char category[15] = {};
    std::int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
    std::uint8_t isLunar = 0, isLeapMonth = 0, isMale = 0;
    std::uint8_t reserved45 = 0;
    std::int16_t province = 0, city = 0, timeZone = 0;
    float longitude = 0, latitude = 0;
    char remark[1002] = {}; // lines separated by "\r\n"
    char question[50] = {};
    std::uint8_t otherStart = 0;
    std::uint8_t otherStartArgs[3] = {};
    std::uint8_t reserved1116[36] = {};
    char place[24] = {};
    char primaryLines[7] = {};
    char changedLines[7] = {};
    char castMethod[9] = {};
    std::uint8_t reserved1199[3] = {};
    std::int16_t diFen = 0;
    std::uint8_t jkjNobleMode = 0;
    std::uint8_t reserved1205 = 0;
    std::int16_t birthYear = 0;
    std::int16_t zhanShiIndex = 0; // the CboZhanShi picker index, 0 = 子
    std::uint8_t dlrNobleMode = 0;
    std::uint8_t reserved1211 = 0;
};

using HeaderBytes = std::array<unsigned char, kHeaderSize>;
using RecordBytes = std::array<unsigned char, kRecordSize>;

HeaderBytes encodeHeader(const StoreHeader& h);
StoreHeader decodeHeader(const unsigned char* bytes);        // kHeaderSize bytes
void encodeRecord(const RecordImage& r, unsigned char* out); // kRecordSize bytes
void decodeRecord(const unsigned char* bytes, RecordImage& r);
inline RecordBytes encodeRecord(const RecordImage& r) {
    RecordBytes b{};
    encodeRecord(r, b.data());
    return b;
}

// Offsets the store reads without decoding a whole record.
inline constexpr std::size_t kDeletedFlagOffset = 4;

// The pending record of the main window takes a run's request: the common
// fields, the time zone for the birth kinds, and the kind's own fields.
void copyRequestToRecord(const ChartRequest& request, ChartKind kind, RecordImage& record);
// The request a saved record shows again (fill from a record).
ChartRequest requestFromRecord(const RecordImage& record, ChartKind kind);

} // namespace varrow
