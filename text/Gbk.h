// GBK <-> UTF-8 at the file boundary, and byte arithmetic in GBK terms.
// Everything in memory is UTF-8; limits and column widths count GBK bytes
// (one per ASCII character, two per Chinese character).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varrow::Gbk {

// UTF-8 -> GBK. A character GBK cannot hold becomes the full-width "？" so that
// byteLength() stays exact; malformed UTF-8 is replaced the same way.
std::string fromUtf8(std::string_view utf8);

// GBK -> UTF-8. Bytes that are not valid GBK become U+FFFD; never fails.
std::string toUtf8(std::string_view gbk);

// Number of bytes the UTF-8 text occupies once written as GBK.
std::size_t byteLength(std::string_view utf8);

// The longest prefix of the text whose GBK form fits into maxBytes, cut at a
// character boundary.
std::string truncate(std::string_view utf8, std::size_t maxBytes);

// The text padded with blanks to exactly width GBK bytes (left-aligned);
// a longer text is truncated at a character boundary first.
std::string padRight(std::string_view utf8, std::size_t width);
// The same, right-aligned.
std::string padLeft(std::string_view utf8, std::size_t width);

// Length of a GBK byte string up to its first zero byte, at most size bytes,
// shortened so that it never ends in the first half of a double-byte character.
std::size_t fieldLength(const char* gbk, std::size_t size);

} // namespace varrow::Gbk
