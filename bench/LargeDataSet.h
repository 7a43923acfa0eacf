// A large data set for the benchmarks: designed slabs of ordinary floors
// over every edge condition and load case, in kN/m², the same every time.
#pragma once

#include "datafile/DataSet.h"

namespace korvexa::datafile {

DataSet LargeDataSet(int count);

}  // namespace korvexa::datafile
