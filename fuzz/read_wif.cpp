// libFuzzer target: arbitrary bytes as a WIF file of another program.
#include "read_wif_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hw::fuzz::RunWif({data, size});
    return 0;
}
