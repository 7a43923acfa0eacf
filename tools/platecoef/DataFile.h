// Text of the engine's coefficient data file.
#pragma once

#include "Coefficients.h"

#include <string>

namespace platecoef {

// The published four-edges-fixed uniform-load table (λ = 1.0 .. 3.0 by 0.1),
// rows in the order MxEnd, MxCentre, MyEnd, MyCentre, Qx, Qy, Dc.
extern const double kPublishedFourEdgesFixed[kRows][21];

// Decimals a row is stored with: four for moments and Dc, three for shears.
int RowDecimals(int row);

// `value` rounded half away from zero to `decimals` places, written without
// trailing zeros ("-0.064", "0.5", "1", "0").
std::string FormatNumber(double value, int decimals);

// The stored value of a generated coefficient: rounded, with the end rows of
// simply supported directions zero (the lookup copies the centre rows there)
// and the shears of the two-adjacent-edges-fixed table 1.
double StoredValue(const GeneratedTable& table, int row, int column);

// The whole data file; the published table replaces the generated one.
std::string DataFileText(const std::vector<GeneratedTable>& tables, const MeshSettings& mesh);

}  // namespace platecoef
