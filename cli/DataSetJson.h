// The JSON form of a whole data set: settings, grades, print layout and
// slabs, with the field names of the records.  Both ways go a slab at a
// time, so that a data set of any size fits in memory.
#pragma once

#include <QByteArray>
#include <functional>
#include <string>
#include <vector>

#include "cli/JsonStream.h"
#include "cli/JsonWriter.h"
#include "datafile/DataSet.h"
#include "engine/BarData.h"

namespace korvexa::cli {

// Missing fields keep the built-in defaults; unknown fields are an error.
datafile::PrintLayout LayoutFromJson(const JsonValueText& object);

// Called once, before the first slab, with the settings, grades and (as far
// as read) layout of the data set.
using HeaderReady = std::function<void(const datafile::DataSet& header)>;
// Called with each slab after its design, with DesignSlab's code, the slab's
// place in the input and the bar table of the data set.
using SlabDesigned = std::function<void(SlabData& slab, int status, std::size_t index, const BarData& bars)>;

// Reads {"settings", "grades", "layout", "slabs"} ("version" is accepted and
// ignored, so that the output of `json` reads back) and designs each slab.
// A slab without "LoadUnit" has its loads in the settings' unit.  Slabs are
// designed as they are read when "settings" and "grades" come before
// "slabs" (as `json` and `design` write them); otherwise their inputs wait
// for the end of the input.  Returns the settings, grades and layout.
// Throws JsonInputError on bad input (nothing is called after it).
datafile::DataSet ReadDataSetJson(const JsonSource& source, const HeaderReady& header, const SlabDesigned& slab);

// The whole data set of a JSON text, designed, with each slab's status code.
datafile::DataSet DataSetFromJson(const QByteArray& input, std::vector<int>* status = nullptr);

// Writing: {"version", "settings", "grades", "layout", "slabs": [...]}, the
// version and the layout only when given.  Each slab carries its inputs,
// "Status" and every result.
void BeginDataSet(JsonWriter& w, const datafile::DataSet& header, const std::string* version, bool withLayout);
void WriteDesignedSlab(JsonWriter& w, SlabData& slab, int status, const BarData& bars);
void EndDataSet(JsonWriter& w);

}  // namespace korvexa::cli
