// libFuzzer target: the INI layer.
#include "StoreHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varrow::fuzz::iniInput(data, size);
    return 0;
}
