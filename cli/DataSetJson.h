// The JSON form of a whole data set: settings, grades, print layout and
// slabs, with the field names of the records.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <string>
#include <vector>

#include "datafile/DataSet.h"

namespace korvexa::cli {

QJsonObject LayoutToJson(const datafile::PrintLayout& layout);
// Missing fields keep the built-in defaults; unknown fields are an error.
datafile::PrintLayout LayoutFromJson(const QJsonObject& object);

// {"version", "settings", "grades", "layout", "slabs"}: each slab with its
// inputs, "Status" (the code of its design) and every result.
QByteArray DataSetToJson(const datafile::DataSet& data, const std::string& version, const std::vector<int>& status);

// Reads {"settings", "grades", "layout", "slabs"} ("version" is accepted and
// ignored, so that the output of DataSetToJson reads back) and designs each
// slab.  A slab without "LoadUnit" has its loads in the settings' unit.
// Throws JsonInputError on bad input.
datafile::DataSet DataSetFromJson(const QByteArray& input, std::vector<int>* status = nullptr);

}  // namespace korvexa::cli
