#include "records/RecordImage.h"

#include <bit>
#include <cstring>

namespace varrow {
namespace {

// Little-endian field coding, one field at a time.
class Writer {
public:
    explicit Writer(unsigned char* out) : p_(out) {}
    void u8(std::size_t at, std::uint8_t v) { p_[at] = v; }
    void i16(std::size_t at, std::int16_t v) { u32(at, static_cast<std::uint16_t>(v), 2); }
    void i32(std::size_t at, std::int32_t v) { u32(at, static_cast<std::uint32_t>(v), 4); }
    void f32(std::size_t at, float v) { u32(at, std::bit_cast<std::uint32_t>(v), 4); }
    void bytes(std::size_t at, const void* src, std::size_t n) { std::memcpy(p_ + at, src, n); }

private:
    void u32(std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) p_[at + i] = static_cast<unsigned char>(v >> (8 * i));
    }
    unsigned char* p_;
};

class Reader {
public:
    explicit Reader(const unsigned char* in) : p_(in) {}
    std::uint8_t u8(std::size_t at) const { return p_[at]; }
    std::int16_t i16(std::size_t at) const { return static_cast<std::int16_t>(u32(at, 2)); }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at, 4)); }
    float f32(std::size_t at) const { return std::bit_cast<float>(u32(at, 4)); }
    void bytes(std::size_t at, void* dst, std::size_t n) const { std::memcpy(dst, p_ + at, n); }

private:
    std::uint32_t u32(std::size_t at, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint32_t(p_[at + i]) << (8 * i);
        return v;
    }
    const unsigned char* p_;
};

// Copies a text between fixed fields of different sizes, cut at a character
// boundary and zero-terminated.
template <std::size_t N, std::size_t M> void copyText(char (&to)[N], const char (&from)[M]) {
    setFixed(to, getFixed(from));
}

} // namespace

HeaderBytes encodeHeader(const StoreHeader& h) {
    HeaderBytes b{};
    Writer w(b.data());
    w.u8(0, h.kind);
    w.i32(4, h.count);
    w.i32(8, h.deleted);
    w.u8(12, h.reuse ? 1 : 0);
    w.i16(14, h.dataFiles);
    return b;
}

StoreHeader decodeHeader(const unsigned char* bytes) {
    Reader r(bytes);
    StoreHeader h;
    h.kind = r.u8(0);
    h.count = r.i32(4);
    h.deleted = r.i32(8);
    h.reuse = r.u8(12) != 0;
    h.dataFiles = r.i16(14);
    return h;
}

void encodeRecord(const RecordImage& r, unsigned char* out) {
    Writer w(out);
    w.i32(0, r.id);
    w.u8(4, r.deleted);
    w.bytes(5, r.name, 12);
    w.bytes(17, r.category, 15);
    w.i16(32, r.year);
    w.i16(34, r.month);
    w.i16(36, r.day);
    w.i16(38, r.hour);
    w.i16(40, r.minute);
    w.u8(42, r.isLunar);
    w.u8(43, r.isLeapMonth);
    w.u8(44, r.isMale);
    w.u8(45, r.reserved45);
    w.i16(46, r.province);
    w.i16(48, r.city);
    w.i16(50, r.timeZone);
    w.f32(52, r.longitude);
    w.f32(56, r.latitude);
    w.bytes(60, r.remark, 1002);
    w.bytes(1062, r.question, 50);
    w.u8(1112, r.otherStart);
    w.bytes(1113, r.otherStartArgs, 3);
    w.bytes(1116, r.reserved1116, 36);
    w.bytes(1152, r.place, 24);
    w.bytes(1176, r.primaryLines, 7);
    w.bytes(1183, r.changedLines, 7);
    w.bytes(1190, r.castMethod, 9);
    w.bytes(1199, r.reserved1199, 3);
    w.i16(1202, r.diFen);
    w.u8(1204, r.jkjNobleMode);
    w.u8(1205, r.reserved1205);
    w.i16(1206, r.birthYear);
    w.i16(1208, r.zhanShiIndex);
    w.u8(1210, r.dlrNobleMode);
    w.u8(1211, r.reserved1211);
}

void decodeRecord(const unsigned char* bytes, RecordImage& r) {
    Reader in(bytes);
    r.id = in.i32(0);
    r.deleted = in.u8(4);
    in.bytes(5, r.name, 12);
    in.bytes(17, r.category, 15);
    r.year = in.i16(32);
    r.month = in.i16(34);
    r.day = in.i16(36);
    r.hour = in.i16(38);
    r.minute = in.i16(40);
    r.isLunar = in.u8(42);
    r.isLeapMonth = in.u8(43);
    r.isMale = in.u8(44);
    r.reserved45 = in.u8(45);
    r.province = in.i16(46);
    r.city = in.i16(48);
    r.timeZone = in.i16(50);
    r.longitude = in.f32(52);
    r.latitude = in.f32(56);
    in.bytes(60, r.remark, 1002);
    in.bytes(1062, r.question, 50);
    r.otherStart = in.u8(1112);
    in.bytes(1113, r.otherStartArgs, 3);
    in.bytes(1116, r.reserved1116, 36);
    in.bytes(1152, r.place, 24);
    in.bytes(1176, r.primaryLines, 7);
    in.bytes(1183, r.changedLines, 7);
    in.bytes(1190, r.castMethod, 9);
    in.bytes(1199, r.reserved1199, 3);
    r.diFen = in.i16(1202);
    r.jkjNobleMode = in.u8(1204);
    r.reserved1205 = in.u8(1205);
    r.birthYear = in.i16(1206);
    r.zhanShiIndex = in.i16(1208);
    r.dlrNobleMode = in.u8(1210);
    r.reserved1211 = in.u8(1211);
}

void copyRequestToRecord(const ChartRequest& q, ChartKind kind, RecordImage& r) {
    copyText(r.name, q.name);
    r.year = q.year;
    r.month = q.month;
    r.day = q.day;
    r.hour = q.hour;
    r.minute = q.minute;
    r.isLunar = q.isLunar;
    r.isLeapMonth = q.isLeapMonth;
    r.isMale = q.isMale;
    r.province = q.province;
    r.city = q.city;
    r.longitude = q.longitude;
    r.latitude = q.latitude;
    // The record's place field is one byte shorter than the request's.
    copyText(r.place, q.place);
    if (isBirthKind(kind)) {
        r.timeZone = q.timeZone; // NOLINT(bugprone-signed-char-misuse): a signed index
        return;
    }
    copyText(r.question, q.question);
    switch (kind) {
    case ChartKind::Liuyao:
        copyText(r.primaryLines, q.primaryLines);
        copyText(r.changedLines, q.changedLines);
        copyText(r.castMethod, q.castMethod);
        break;
    case ChartKind::Jkj:
        r.jkjNobleMode = q.nobleMode;
        r.diFen = q.diFen;
        break;
    case ChartKind::Liuren:
        r.birthYear = q.birthYear;
        r.zhanShiIndex = static_cast<std::int16_t>((q.zhanShi + 11) % 12);
        r.dlrNobleMode = q.nobleMode;
        r.otherStart = q.otherStart;
        if (q.otherStart == 1 || q.otherStart == 2)
            std::memcpy(r.otherStartArgs, q.otherStartArgs[q.otherStart - 1], 3);
        break;
    default:
        break;
    }
}

ChartRequest requestFromRecord(const RecordImage& r, ChartKind kind) {
    ChartRequest q;
    copyText(q.name, r.name);
    copyText(q.place, r.place);
    q.year = r.year;
    q.month = r.month;
    q.day = r.day;
    q.hour = r.hour;
    q.minute = r.minute;
    q.isLunar = r.isLunar != 0;
    q.isLeapMonth = r.isLeapMonth != 0;
    q.isMale = r.isMale != 0;
    q.province = r.province;
    q.city = r.city;
    q.longitude = r.longitude;
    q.latitude = r.latitude;
    if (isBirthKind(kind)) {
        q.timeZone = static_cast<std::int8_t>(r.timeZone);
        return q;
    }
    copyText(q.question, r.question);
    switch (kind) {
    case ChartKind::Liuyao:
        copyText(q.primaryLines, r.primaryLines);
        copyText(q.changedLines, r.changedLines);
        copyText(q.castMethod, r.castMethod);
        break;
    case ChartKind::Jkj:
        q.nobleMode = r.jkjNobleMode;
        q.diFen = static_cast<std::uint8_t>(((r.diFen % 12) + 12) % 12);
        break;
    case ChartKind::Liuren:
        q.birthYear = r.birthYear;
        q.zhanShi = static_cast<std::uint8_t>(((r.zhanShiIndex % 12 + 12) % 12 + 1) % 12);
        q.nobleMode = r.dlrNobleMode;
        q.otherStart = r.otherStart;
        if (r.otherStart == 1 || r.otherStart == 2)
            std::memcpy(q.otherStartArgs[r.otherStart - 1], r.otherStartArgs, 3);
        break;
    default:
        break;
    }
    return q;
}

} // namespace varrow
