// Throughput of the whole design of one slab over a mixed set of slabs.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

// 1,000 slabs covering every edge condition, load distribution and load
// case, with spans and loads of ordinary floors.
std::vector<SlabData> MixedSlabs()
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> span(1.5, 6.0), ratio(1.0, 1.9), load(600, 5000);
    std::vector<SlabData> slabs;
    for (int i = 0; i < 1000; ++i) {
        SlabData s;
        s.Bind = i % BindTypeCount;
        s.LoadShape = (i / BindTypeCount) % LoadShapeCount(s.Bind);
        s.LoadTime = (i / 7) % LoadTimeCount;
        s.TLDirect = i % 11 == 0;
        s.DeflectionOnly = i % 13 == 0;
        s.Lx = s.Bind == BindCantilever ? 1.2 : span(random);
        s.Ly = s.Bind >= BindOneWayFixed ? 0 : s.Lx * ratio(random);
        s.T = 15 + (i % 4) * 2.5;
        s.FL = load(random) / 4;
        s.LL = {load(random), load(random), load(random) / 2};
        s.TL = {load(random) * 2, load(random) * 2, load(random)};
        s.P = {load(random) / 3, load(random) / 3, load(random) / 3};
        s.CompMode = {i % 3, i % 4};
        slabs.push_back(s);
    }
    return slabs;
}

void DesignMixedSlabs(benchmark::State& state)
{
    const std::vector<SlabData> inputs = MixedSlabs();
    std::vector<SlabData> slabs = inputs;
    const CommonSettings settings;
    const BarData bars;
    int failures = 0;
    for (auto _ : state) {
        for (SlabData& s : slabs)
            failures += DesignSlab(s, settings, bars) != 0;
        benchmark::ClobberMemory();
    }
    if (failures)
        state.SkipWithError("a slab of the mix did not design");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(slabs.size()));
}
BENCHMARK(DesignMixedSlabs)->Unit(benchmark::kMillisecond);

}  // namespace
