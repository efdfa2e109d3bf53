#include "chart/FixedField.h"

#include <algorithm>
#include <cstring>

#include "text/Gbk.h"

namespace varrow {

void writeFixedField(char* field, std::size_t size, std::string_view utf8) {
    std::memset(field, 0, size);
    if (size == 0) return;
    std::string gbk = Gbk::fromUtf8(Gbk::truncate(utf8, size - 1));
    // byteLength is exact for GBK, but guard the cut in case a converter maps
    // a character to a single byte.
    std::size_t n = Gbk::fieldLength(gbk.data(), std::min(gbk.size(), size - 1));
    std::copy_n(gbk.data(), n, field); // the rest stays zero
}

std::string readFixedField(const char* field, std::size_t size) {
    return Gbk::toUtf8(std::string_view(field, Gbk::fieldLength(field, size)));
}

} // namespace varrow
