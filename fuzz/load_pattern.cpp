// libFuzzer target: arbitrary bytes as a pattern file and a companion file.
#include "load_pattern_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hw::fuzz::RunOne({data, size});
    return 0;
}
