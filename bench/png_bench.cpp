// Pictures written as PNG files, measured in pixels per second:
// - the draft picture of a 2400 x 2400 draft at 10-pixel cells, as
//   heddlewise-cli draft-image writes it (target: under 4 s);
// - the fabric picture of a 9600 x 9600 draft, beside zlib alone packing
//   the same pixels at the same settings (target: at most 1.5 times zlib).
#include "export/draft_png.h"
#include "export/fabric_png.h"
#include "model/primitives.h"
#include "view/fabric.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

struct Folder {
    std::string Path = [] {
        std::string t = (std::filesystem::temp_directory_path() / "hw-bench-XXXXXX").string();
        return std::string(::mkdtemp(t.data()));
    }();
    ~Folder() { std::filesystem::remove_all(Path); }
};

// A draft of ends x picks on 8 shafts and treadles, colours in stripes of
// eight.
std::unique_ptr<hw::DraftState> Draft(int ends, int picks) {
    auto d = std::make_unique<hw::DraftState>();
    std::mt19937 rng(7);
    d->Ends = uint16_t(ends), d->Picks = uint16_t(picks);
    d->Shafts = d->Treadles = 8;
    for (int e = 1; e <= ends; ++e) {
        d->Threading[e] = uint8_t(1 + rng() % 8);
        d->WarpColors[e] = uint8_t((e / 24) % 4 + 16);
    }
    for (int p = 1; p <= picks; ++p) {
        d->Treadling[p] = uint8_t(1 + rng() % 8);
        d->WeftColors[p] = uint8_t((p / 20) % 4 + 40);
    }
    for (int s = 1; s <= 8; ++s)
        for (int t = 1; t <= 8; ++t) d->TieUpAt(s, t) = uint8_t(rng() % 2);
    hw::UpdateUsed(*d);
    return d;
}

void DraftImage2400(benchmark::State& state) {
    const auto d = Draft(2400, 2400);
    Folder dir;
    const hw::DraftImageOptions o{9, 2, 0, 0}; // cells of 10 pixels
    const hw::DraftImageLayout l = hw::LayoutDraftImage(*d, o);
    for (auto _ : state)
        if (!hw::ExportDraftImage(*d, dir.Path + "/d.png", o)) state.SkipWithError("write");
    const double pixels = double(l.Width) * l.Height;
    state.counters["pixels/s"] =
        benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(std::filesystem::file_size(dir.Path + "/d.png")) / 1e6;
}
BENCHMARK(DraftImage2400)->Unit(benchmark::kMillisecond)->Iterations(2);

// The export beside zlib on the same rows: the picture's 4-bit indexes,
// packed as the file has them, at the same level and strategy.
void FabricPng9600(benchmark::State& state) {
    const auto d = Draft(9600, 9600);
    Folder dir;
    const bool zlibOnly = state.range(0) == 1;
    std::vector<uint8_t> packed;
    if (zlibOnly) {
        hw::Cloth cloth(*d, 9600);
        std::vector<hw::ClothCell> row(9600);
        packed.reserve(size_t(9600) * 4800);
        for (int p = 9600; p >= 1; --p) {
            cloth.Row(p, false, 1, 9600, row.data());
            for (int e = 9600; e >= 1; e -= 2)
                packed.push_back(uint8_t((row[size_t(e - 1)].Color & 15) << 4 |
                                         (row[size_t(e - 2)].Color & 15)));
        }
    }
    std::vector<uint8_t> out(compressBound(uLong(packed.size())));
    for (auto _ : state) {
        if (!zlibOnly) {
            if (!hw::ExportFabricPng(*d, dir.Path + "/f.png", 9600, 9600))
                state.SkipWithError("write");
            continue;
        }
        z_stream z{};
        deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY); // as the writer sets it
        z.next_in = packed.data(), z.avail_in = uInt(packed.size());
        z.next_out = out.data(), z.avail_out = uInt(out.size());
        deflate(&z, Z_FINISH);
        state.counters["MB"] = double(z.total_out) / 1e6;
        deflateEnd(&z);
    }
    state.counters["pixels/s"] =
        benchmark::Counter(9600.0 * 9600.0, benchmark::Counter::kIsIterationInvariantRate);
    if (!zlibOnly)
        state.counters["MB"] = double(std::filesystem::file_size(dir.Path + "/f.png")) / 1e6;
}
BENCHMARK(FabricPng9600)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"zlib_only"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
