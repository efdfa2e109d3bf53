// The table of embedded files that the build generates from resources/text.
// Only Resources.cpp reads it.
#pragma once

#include <cstddef>
#include <string_view>

namespace varrow::embedded {

struct EmbeddedFile {
    std::string_view name;
    const unsigned char* data;
    const std::size_t* size; // a pointer: the sizes live in other translation units
};

extern const EmbeddedFile files[];
extern const std::size_t fileCount;

} // namespace varrow::embedded
