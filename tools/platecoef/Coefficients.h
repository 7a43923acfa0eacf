// The fourteen coefficient tables of the two-way slabs: which plate each one
// describes, and how its seven coefficients are read off a plate solution.
//
// Geometry: x runs across the short span (0 .. Lx = 1), y along the long span
// (0 .. Ly = λ).  The long edges (length Ly) are West (x = 0) and East
// (x = 1); the short edges (length Lx) are South (y = 0) and North (y = λ).
// With D = 1 and q = 1 every quantity is already the dimensionless
// coefficient (moments per q·Lx², shears per q·Lx, Dc = 12·w·D/(q·Lx⁴)).
#pragma once

#include "PlateSolver.h"

#include <array>
#include <string>
#include <vector>

namespace platecoef {

constexpr int kRows = 7;  // MxEnd, MxCentre, MyEnd, MyCentre, Qx, Qy, Dc
constexpr int kMaxColumns = 31;
using Column = std::array<double, kRows>;

struct TableDefinition {
    std::string Name;               // e.g. "Bind 9, LoadShape 1"
    std::array<Edge, 4> Edges;      // West, East, South, North
    PlateLoad Load;                 // the load the coefficients refer to
    int LastColumn;
    double Step;
    bool UnitShears = false;        // Qx = Qy = 1 in every column (Bind 10)
    bool Published = false;         // kept as the published table
};

// The tables in the order of korvexa::StoredTable.
const std::vector<TableDefinition>& TableDefinitions();

double LambdaOf(const TableDefinition& table, int column);

// The coefficients read off one solution of the table's plate (no
// extrapolation, no rounding).
Column MeasureColumn(const TableDefinition& table, const PlateSolution& solution);

struct MeshSettings {
    int Elements = 16;         // elements across the short span on the coarse mesh
    bool Extrapolate = true;   // also solve at twice the density and extrapolate (h²)
};

// Elements along the long span for `elements` across the short one: square
// elements as near as an even count allows (the mid-lines are mesh lines).
int ElementsAlong(double lambda, int elements);

// Coefficients of one column of several tables that share the same plate
// (edges and λ): one factorisation per mesh serves all their loads.
std::vector<Column> ComputeColumns(const std::vector<const TableDefinition*>& tables, double lambda,
                                   const MeshSettings& mesh);

struct GeneratedTable {
    const TableDefinition* Definition;
    std::array<Column, kMaxColumns> Columns{};  // unrounded, unused columns zero
};

// Every table at the given mesh settings.  The published table is computed
// too (for the comparison); the data file writer substitutes the published
// figures for it.
std::vector<GeneratedTable> GenerateAll(const MeshSettings& mesh);

}  // namespace platecoef
