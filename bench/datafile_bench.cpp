// Reading (and designing) and writing a data file of 10,000 slabs.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <random>

#include "datafile/DataFile.h"

using namespace korvexa;
using namespace korvexa::datafile;

namespace {

constexpr int kSlabs = 10000;

// Slabs of ordinary floors over every edge condition and load case, in kN/m².
DataSet LargeDataSet()
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> span(15, 60), ratio(10, 19), load(6, 50);
    DataSet d;
    d.settings.LoadUnitFactor = 1000;
    while (static_cast<int>(d.slabs.size()) < kSlabs) {
        const int i = static_cast<int>(d.slabs.size());
        SlabData s;
        s.Name = "S" + std::to_string(i + 1) + " 事務室";
        s.Bind = i % BindTypeCount;
        s.LoadShape = (i / BindTypeCount) % LoadShapeCount(s.Bind);
        s.LoadTime = (i / 7) % LoadTimeCount;
        s.Lx = s.Bind == BindCantilever ? 1.2 : span(random) / 10.0;
        s.Ly = s.Bind >= BindOneWayFixed ? 0 : s.Lx * ratio(random) / 10.0;
        s.T = 15 + (i % 4) * 2.5;
        s.FL = load(random) / 10.0;
        s.LL = {load(random) / 10.0, load(random) / 20.0, load(random) / 20.0};
        s.P = {load(random) / 10.0, load(random) / 10.0, load(random) / 10.0};
        s.LoadUnit = 1000;
        d.slabs.push_back(s);
        DataSet one;
        one.settings = d.settings;
        one.slabs = {s};
        DesignDataSet(one);
        if (one.slabs[0].Calculated)
            d.slabs.back() = one.slabs[0];
        else
            d.slabs.pop_back();
    }
    return d;
}

std::filesystem::path BenchFile(const char* name)
{
    return std::filesystem::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()) + ".slab");
}

void ReadAndDesign(benchmark::State& state)
{
    const auto path = BenchFile("korvexa-bench-read");
    if (!WriteDataFile(path, LargeDataSet()).ok) {
        state.SkipWithError("cannot write the file");
        return;
    }
    for (auto _ : state) {
        ReadResult r = ReadDataFile(path);
        if (!r.ok() || r.data->slabs.size() != kSlabs)
            state.SkipWithError("cannot read the file");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * kSlabs);
    std::filesystem::remove(path);
}
BENCHMARK(ReadAndDesign)->Unit(benchmark::kMillisecond);

void Write(benchmark::State& state)
{
    const DataSet data = LargeDataSet();
    const auto path = BenchFile("korvexa-bench-write");
    for (auto _ : state) {
        const WriteResult w = WriteDataFile(path, data);
        if (!w.ok || w.slabsWritten != kSlabs)
            state.SkipWithError("cannot write the file");
    }
    state.SetItemsProcessed(state.iterations() * kSlabs);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(Write)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts without the disk and the design.
void DecodeOnly(benchmark::State& state)
{
    const std::string bytes = EncodeDataFile(LargeDataSet());
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeDataFile(bytes));
    state.SetItemsProcessed(state.iterations() * kSlabs);
}
BENCHMARK(DecodeOnly)->Unit(benchmark::kMillisecond);

void EncodeOnly(benchmark::State& state)
{
    const DataSet data = LargeDataSet();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeDataFile(data));
    state.SetItemsProcessed(state.iterations() * kSlabs);
}
BENCHMARK(EncodeOnly)->Unit(benchmark::kMillisecond);

}  // namespace
