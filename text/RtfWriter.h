// RTF output of a RichText: code page 936 (\ansicpg936, GBK bytes as \'hh
// escapes) so that word processors open it with the right characters; the
// colours of the runs go into the colour table.
#pragma once

#include <string>

namespace varrow {

class RichText;

std::string writeRtf(const RichText& doc);

} // namespace varrow
