// Throughput of the whole design of one slab: a mixed set of slabs, valid
// two-way slabs alone, and a mix in which every fourth slab is refused by
// the input check.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

// 1,000 slabs covering the edge conditions from `firstBind` to `lastBind`,
// every load distribution and load case, with spans and loads of ordinary
// floors.
std::vector<SlabData> OrdinarySlabs(int firstBind = 0, int lastBind = BindTypeCount - 1)
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> span(1.5, 6.0), ratio(1.0, 1.9), load(600, 5000);
    const int binds = lastBind - firstBind + 1;
    std::vector<SlabData> slabs;
    for (int i = 0; i < 1000; ++i) {
        SlabData s;
        s.Bind = firstBind + i % binds;
        s.LoadShape = (i / binds) % LoadShapeCount(s.Bind);
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

// Every fourth slab spoilt, in turn, by each of the inputs the design
// refuses: no span, a strength that is not a number, a load case out of
// range, a position without bars, a negative pitch, bars outside the
// section.
std::vector<SlabData> SlabsWithRefusedInputs()
{
    std::vector<SlabData> slabs = OrdinarySlabs();
    for (std::size_t i = 3; i < slabs.size(); i += 4) {
        SlabData& s = slabs[i];
        switch (i / 4 % 6) {
        case 0: s.Lx = 0; break;
        case 1: s.Fc = std::nan(""); break;
        case 2: s.LoadTime = LoadTimeCount; break;
        case 3: s.Bar[1][1] = {BarNone, BarNone}; break;
        case 4: s.Pitch[0][0] = -100; break;
        default: s.Cov = s.T; break;
        }
    }
    return slabs;
}

// Designs the slabs in place, over and over; `refused` is the number of
// slabs the set is meant to have refused.
void DesignEach(benchmark::State& state, std::vector<SlabData> slabs, int refused)
{
    const CommonSettings settings;
    const BarData bars;
    int failures = 0;
    for (auto _ : state) {
        failures = 0;
        for (SlabData& s : slabs)
            failures += DesignSlab(s, settings, bars) != DesignOk;
        benchmark::ClobberMemory();
    }
    if (failures != refused)
        state.SkipWithError("the set did not design as meant");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(slabs.size()));
}

void DesignMixedSlabs(benchmark::State& state) { DesignEach(state, OrdinarySlabs(), 0); }
void DesignTwoWaySlabs(benchmark::State& state) { DesignEach(state, OrdinarySlabs(0, BindFixed2AdjFree), 0); }
void DesignWithRefusedInputs(benchmark::State& state) { DesignEach(state, SlabsWithRefusedInputs(), 250); }

BENCHMARK(DesignMixedSlabs)->Unit(benchmark::kMillisecond);
BENCHMARK(DesignTwoWaySlabs)->Unit(benchmark::kMillisecond);
BENCHMARK(DesignWithRefusedInputs)->Unit(benchmark::kMillisecond);

}  // namespace
