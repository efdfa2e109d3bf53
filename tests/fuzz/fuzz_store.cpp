// libFuzzer target: the record store and its record codec.
#include "StoreHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varrow::fuzz::recordInput(data, size);
    varrow::fuzz::storeInput(data, size);
    return 0;
}
