// The fabric views painting a full 1920 x 1080 area at zoom 1 (targets:
// Fabric 10 ms, Drapery and Interlacement 16 ms).
#include "full_draft.h"
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
    auto d = hw::bench::StripedDraft(5);
    d->EndsPerUnit = d->PicksPerUnit = 24;
    d->Compressed = compressed;
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
