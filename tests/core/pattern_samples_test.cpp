// The sample patterns in tests/data (opened by the command-line tests, and
// the fuzzer's seeds) are exactly what the layout tables say. Run with
// HW_REGENERATE_SAMPLES=1 to write them afresh.
#include "files/pattern_file.h"
#include "pattern_golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace hw {
namespace {

using namespace test;

std::map<std::string, Bytes> Samples() {
    std::map<std::string, Bytes> s;
    s["sample_v7_e.hdw"] = SampleBraced().Build();
    for (uint8_t v : {3, 4, 5, 6}) {
        BracedFile f = SampleBraced();
        f.Version = v;
        s["sample_v" + std::to_string(v) + "_e.hdw"] = f.Build();
    }
    BracedFile d = SampleBraced();
    d.Type = 'd';
    d.Shafts = d.Treadles = 10;
    d.TieUpColumns.clear();
    d.Threading = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9, 8};
    for (int k = 0; k < 10; ++k)
        d.LiftplanRows.push_back({uint8_t(0x07 << (k % 6)), uint8_t(k % 4)});
    s["sample_v7_d.hdw"] = d.Build();
    BracedFile f = SampleBraced();
    f.Type = 'f';
    for (int k = 0; k < 10; ++k) f.LiftplanRows.push_back({uint8_t(0x21 << (k % 2))});
    s["sample_v7_f.hdw"] = f.Build();
    HeaderlessFile h;
    h.Threading.assign(600, 0);
    for (int e = 0; e < 40; ++e) h.Threading[size_t(e)] = uint8_t(e % 4 + 1);
    h.TieUpColumns = {{0xC0}, {0x60}, {0x30}, {0x90}};
    for (int p = 0; p < 40; ++p) h.Treadling[size_t(p)] = uint8_t(p % 4 + 1);
    h.Notes = {'o', 'l', 'd', 0};
    s["sample_v1_e.hdw"] = h.Build();

    // Design mode: the draft's design is a twill, the companion's a cross.
    BracedFile design = d;
    design.Design = 1;
    s["design_v7.hdw"] = design.Build();
    Bytes hdb(128, 0);
    hdb[0] = 'H', hdb[1] = 'D', hdb[11] = 6, hdb[13] = 7;
    for (int p = 0; p < 7; ++p)
        for (int b = 0; b < 7; ++b) hdb.push_back(b == 0 ? uint8_t((1 << p) | (1 << (6 - p))) : 0);
    s["design_v7.hdb"] = hdb;

    Bytes cut = SampleBraced().Build();
    cut.resize(cut.size() / 2);
    s["broken_truncated.hdw"] = cut;
    BracedFile v8 = SampleBraced();
    v8.Version = 8;
    s["broken_version8.hdw"] = v8.Build();
    return s;
}

TEST(PatternSamples, CommittedSamplesMatchTheLayoutTables) {
    const std::filesystem::path dir = HW_TEST_DATA_DIR;
    const bool regenerate = std::getenv("HW_REGENERATE_SAMPLES") != nullptr;
    for (const auto& [name, bytes] : Samples()) {
        const std::string path = (dir / name).string();
        if (regenerate) WriteBytes(path, bytes);
        EXPECT_EQ(ReadBytes(path), bytes) << name;
    }
}

} // namespace
} // namespace hw
