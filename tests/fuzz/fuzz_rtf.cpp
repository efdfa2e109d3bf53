// libFuzzer target: the RTF reader.
#include "RtfHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varrow::fuzz::rtfInput(data, size);
    return 0;
}
