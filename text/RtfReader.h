// Reading RTF back into a RichText. This reader understands the RTF that
// writeRtf produces and the common subset other writers use for plain styled
// text (fonts, sizes, colours, bold, paragraphs, \'hh and \u escapes); it
// skips destinations it does not know.
#pragma once

#include <string_view>

namespace varrow {

class RichText;

// True when the bytes start like an RTF document.
bool isRtf(std::string_view bytes);

// Appends the document's text to doc; false when the bytes are not RTF.
bool readRtf(std::string_view bytes, RichText& doc);

} // namespace varrow
