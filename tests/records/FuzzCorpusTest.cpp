// Replays the fuzz corpora through the same harness as the fuzz targets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/fuzz/StoreHarness.h"

namespace varrow {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpus(const char* name) {
    std::vector<std::string> inputs;
    for (const auto& e : fs::directory_iterator(fs::path(VARROW_TEST_DATA) / "fuzz" / name)) {
        std::ifstream in(e.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return inputs;
}

const std::uint8_t* bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

TEST(FuzzCorpus, StoreInputs) {
    std::vector<std::string> inputs = corpus("store");
    ASSERT_FALSE(inputs.empty());
    for (const std::string& in : inputs) {
        fuzz::recordInput(bytes(in), in.size());
        fuzz::storeInput(bytes(in), in.size());
    }
}

TEST(FuzzCorpus, IniInputs) {
    std::vector<std::string> inputs = corpus("ini");
    ASSERT_FALSE(inputs.empty());
    for (const std::string& in : inputs) fuzz::iniInput(bytes(in), in.size());
}

} // namespace
} // namespace varrow
