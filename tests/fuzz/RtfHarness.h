// What the RTF fuzz target and the corpus test do with one input: read it
// as RTF, write it again and read that back; the text must survive the trip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/RichText.h"
#include "text/RtfReader.h"

namespace varrow::fuzz {

inline void rtfInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RichText doc;
    if (!readRtf(bytes, doc)) return;
    doc.spans();
    RichText again;
    if (!readRtf(doc.toRtf(), again) || again.text() != doc.text()) std::abort();
}

} // namespace varrow::fuzz
