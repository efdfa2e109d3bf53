// Zero-terminated GBK text in fixed-size byte fields, as the request and the
// record files hold it. Callers speak UTF-8; the field holds GBK.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varrow {

// Writes utf8 as GBK into field[0..size): at most size - 1 bytes, cut at a
// character boundary, the rest zero-filled.
void writeFixedField(char* field, std::size_t size, std::string_view utf8);

// The UTF-8 text of a field; stops at its first zero byte or at its size,
// and drops a lone lead byte at the end.
std::string readFixedField(const char* field, std::size_t size);

template <std::size_t N> void setFixed(char (&field)[N], std::string_view utf8) {
    writeFixedField(field, N, utf8);
}
template <std::size_t N> std::string getFixed(const char (&field)[N]) { return readFixedField(field, N); }

} // namespace varrow
