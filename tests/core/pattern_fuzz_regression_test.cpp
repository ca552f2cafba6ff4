// Replays the fuzzer's seeds and every input it ever crashed on through the
// same harness; each must load (or be refused) within the document's bounds.
#include "../../fuzz/load_pattern_harness.h"
#include "pattern_golden.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace hw {
namespace {

namespace fs = std::filesystem;

TEST(PatternFuzzRegression, EveryKeptInputLoadsWithinBounds) {
    const fs::path data = HW_TEST_DATA_DIR;
    int replayed = 0;
    for (const fs::path& dir : {data / "fuzz", data / ".." / ".." / "fuzz" / "seeds"}) {
        if (!fs::exists(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            SCOPED_TRACE(entry.path().string());
            const test::Bytes input = test::ReadBytes(entry.path().string());
            fuzz::RunOne(input); // aborts on a broken bound
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 20);
}

} // namespace
} // namespace hw
