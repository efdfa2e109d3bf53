#include "support/TestHome.h"

namespace varrow::test {

TestHome::TestHome(bool withDat) {
    std::filesystem::path home = path();
    std::filesystem::create_directories(home / "dat");
    if (!withDat) return;
    std::filesystem::path shipped = std::filesystem::path(VARROW_SOURCE_DIR) / "dat";
    if (std::filesystem::exists(shipped))
        std::filesystem::copy(shipped, home / "dat",
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing);
}

} // namespace varrow::test
