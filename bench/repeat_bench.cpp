// Repeat detection on a full-length sequence with no period: the worst case.
#include "transform/repeat.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void FindRepeatNoPeriod(benchmark::State& state) {
    std::mt19937 rng(3);
    std::vector<uint8_t> seq(hw::MaxEnds);
    for (auto& v : seq) v = uint8_t(1 + rng() % 16);
    for (auto _ : state)
        benchmark::DoNotOptimize(hw::FindRepeat(seq.data(), hw::MaxEnds, hw::MaxEnds));
}

// Long near-periods are the slow case for a naive block comparison: every
// candidate period matches far before it fails.
void FindRepeatLateMismatch(benchmark::State& state) {
    std::vector<uint8_t> seq(hw::MaxEnds, 1);
    seq.back() = 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(hw::FindRepeat(seq.data(), hw::MaxEnds, hw::MaxEnds));
}

void FindLiftplanRepeatNoPeriod(benchmark::State& state) {
    std::mt19937 rng(4);
    std::vector<hw::LiftplanRow> rows(hw::MaxPicks);
    for (auto& r : rows) r = hw::LiftplanRow(rng());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            hw::FindLiftplanRepeat(rows.data(), hw::MaxPicks, hw::MaxPicks, 16));
}

BENCHMARK(FindRepeatNoPeriod)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindRepeatLateMismatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindLiftplanRepeatNoPeriod)->Unit(benchmark::kMicrosecond);

} // namespace
