// Input for bench/cli_scale: a data file of COUNT designed slabs and the
// JSON of the same slabs' inputs, as `design` takes them.
#include <fstream>
#include <iostream>
#include <string>

#include "LargeDataSet.h"
#include "cli/DataSetJson.h"
#include "cli/SlabJson.h"
#include "datafile/DataFile.h"

using namespace korvexa;

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "usage: cli_scale_data COUNT FILE.slab INPUTS.json\n";
        return 2;
    }
    const datafile::DataSet data = datafile::LargeDataSet(std::stoi(argv[1]));
    if (const datafile::WriteResult w = datafile::WriteDataFile(argv[2], data); !w.ok) {
        std::cerr << w.error.message << " " << w.error.detail << "\n";
        return 2;
    }
    std::ofstream out(argv[3]);
    cli::JsonWriter w(out, cli::JsonStyle::Compact);
    cli::BeginDataSet(w, data, nullptr, false);
    for (const SlabData& slab : data.slabs) {
        w.BeginObject();
        cli::WriteSlabInputs(w, slab);
        w.EndObject();
    }
    cli::EndDataSet(w);
    return out ? 0 : 2;
}
