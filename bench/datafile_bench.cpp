// Reading (and designing) and writing a data file of 10,000 slabs.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "LargeDataSet.h"
#include "datafile/DataFile.h"

using namespace korvexa;
using namespace korvexa::datafile;

namespace {

constexpr int kSlabs = 10000;

std::filesystem::path BenchFile(const char* name)
{
    return std::filesystem::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()) + ".slab");
}

void ReadAndDesign(benchmark::State& state)
{
    const auto path = BenchFile("korvexa-bench-read");
    if (!WriteDataFile(path, LargeDataSet(kSlabs)).ok) {
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
    const DataSet data = LargeDataSet(kSlabs);
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
    const std::string bytes = EncodeDataFile(LargeDataSet(kSlabs));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeDataFile(bytes));
    state.SetItemsProcessed(state.iterations() * kSlabs);
}
BENCHMARK(DecodeOnly)->Unit(benchmark::kMillisecond);

void EncodeOnly(benchmark::State& state)
{
    const DataSet data = LargeDataSet(kSlabs);
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeDataFile(data));
    state.SetItemsProcessed(state.iterations() * kSlabs);
}
BENCHMARK(EncodeOnly)->Unit(benchmark::kMillisecond);

}  // namespace
