// Tabulated moment, shear and deflection coefficients of two-way slabs.
//
// Each table holds seven rows (in the order of CoefficientSet) over columns
// j = 0 .. LastColumn, column j standing for the span ratio λ = 1 + j·Step.
// Moments multiply w·Lx², shears w·Lx; Dc is the deflection factor
// (12·α for w = α·q·Lx⁴/D).  All coefficients refer to the short span Lx.
#pragma once

namespace korvexa {

inline constexpr int kCoefficientRows = 7;
inline constexpr int kCoefficientColumns = 31;

enum CoefficientRow { RowMxEnd, RowMxCentre, RowMyEnd, RowMyCentre, RowQx, RowQy, RowDc };

struct CoefficientTable {
    int LastColumn;  // N: the last column in use
    double Step;     // λ step between columns
    double Row[kCoefficientRows][kCoefficientColumns];
};

// The fourteen stored tables, indexed by StoredTable.  The data lives in
// CoefficientData.cpp, written by tools/platecoef (the four-edges-fixed
// uniform table is kept as published).
enum StoredTable {
    TableBind1Uniform,      // Bind 1, LoadShape 0
    TableBind1VaryingX,     // Bind 1, LoadShape 1 (varying along the short side)
    TableBind1VaryingY,     // Bind 1, LoadShape 2 (varying along the long side)
    TableBind2,
    TableBind3,
    TableBind4,
    TableBind5,
    TableBind6,
    TableBind7,
    TableBind8Uniform,
    TableBind8Varying,      // LoadShape 1: varying along the long side
    TableBind9Uniform,
    TableBind9Varying,      // LoadShape 1: varying along the short side
    TableBind10,
    StoredTableCount
};

extern const CoefficientTable kCoefficientTables[StoredTableCount];

}  // namespace korvexa
