// The fabric views painting a full 1920 x 1080 area at zoom 1 (targets:
// Fabric 10 ms, Drapery and Interlacement 16 ms).
#include "model/primitives.h"
#include "view/fabric.h"
#include "view/raster_canvas.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

std::unique_ptr<hw::DraftState> Cloth(bool compressed) {
    auto d = std::make_unique<hw::DraftState>();
    std::mt19937 rng(5);
    d->Ends = d->Picks = hw::MaxEnds;
    d->Shafts = d->Treadles = 16;
    d->EndsPerUnit = d->PicksPerUnit = 24;
    d->Compressed = compressed;
    for (int e = 1; e <= hw::MaxEnds; ++e) {
        d->Threading[e] = uint8_t(1 + rng() % 16);
        d->WarpColors[e] = uint8_t((e / 12) % 8 + 16);
    }
    for (int p = 1; p <= hw::MaxPicks; ++p) {
        d->Treadling[p] = uint8_t(1 + rng() % 16);
        d->WeftColors[p] = uint8_t((p / 10) % 8 + 40);
    }
    for (int s = 1; s <= 16; ++s)
        for (int t = 1; t <= 16; ++t) d->TieUpAt(s, t) = uint8_t(rng() % 2);
    hw::UpdateUsed(*d);
    return d;
}

void FabricView(benchmark::State& state) {
    const auto view = hw::FabricView(state.range(0));
    const auto d = Cloth(state.range(1) != 0);
    hw::RasterCanvas canvas(Width, Height);
    const hw::FabricLayout l = hw::LayoutFabric(*d, view, 1, 0, 0, Width, Height);
    std::mt19937 rng(1);
    for (auto _ : state) {
        hw::FabricRenderer(canvas, *d, l, 100, 100, hw::White, rng).Paint(Width, Height);
        benchmark::DoNotOptimize(canvas.Data());
    }
    state.counters["threads"] = double(l.VisibleEnds) * l.VisiblePicks;
}
// Fabric, Yarn View, Drapery, Interlacement; plain and compressed.
BENCHMARK(FabricView)
    ->ArgsProduct({{1, 2, 3, 4}, {0, 1}})
    ->ArgNames({"view", "compressed"})
    ->Unit(benchmark::kMillisecond);

} // namespace
