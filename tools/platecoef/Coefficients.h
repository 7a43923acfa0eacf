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
    // The end moment of the direction (MxEnd, MyEnd) is the larger of the
    // value at the middle of its clamped edge and the value near the corner
    // where that edge meets a free edge.
    bool CornerMx = false;
    bool CornerMy = false;
};

// The tables in the order of korvexa::StoredTable.
const std::vector<TableDefinition>& TableDefinitions();

double LambdaOf(const TableDefinition& table, int column);

// Where the end moment of a clamped edge that meets a free edge is read
// near the free corner: 96.5 % of the edge's length from its fixed corner,
// the point that reproduces the reference values of Bind 10 best
// (docs/coefficients.md).
constexpr double kFreeCornerFraction = 0.965;

// The point at `fraction` of a clamped edge that meets a free edge, from its
// fixed corner towards the free one.  Row 0 (Mx) lies on the West edge,
// row 2 (My) on the South edge.  Returns false, and leaves x and y alone,
// when that edge is not clamped or meets no free edge.
bool FreeCornerPoint(const TableDefinition& table, int row, double lambda, double fraction, double& x,
                     double& y);

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

// The mesh of the moments near the free corners of a table's plate: element
// widths along x and heights along y.  Elements of about 1/elements, and
// around each point where a free-corner moment is read a zone of elements a
// quarter of the point's distance from the corner in size, the point a node
// (the moment changes fast there); between them sizes grow by 1.5 at most.
std::array<std::vector<double>, 2> FreeCornerGrid(const TableDefinition& table, double lambda,
                                                  int elements);

// Every element split in two: the next mesh of the same family.
std::vector<double> Bisected(const std::vector<double>& sizes);

// The moments at kFreeCornerFraction of the edges that meet a free edge,
// read off one solution: Mx (row 0) and My (row 2); 0 where the table does
// not take the free-corner value for that row.
std::array<double, 2> MeasureFreeCorner(const TableDefinition& table, const PlateSolution& solution);

// The same for tables of one plate and one free-corner grid (one solve per
// mesh), on the grid at `elements` split `bisections` times more;
// extrapolated from it and the next finer grid when `extrapolate`.
std::vector<std::array<double, 2>> FreeCornerMoments(const std::vector<const TableDefinition*>& tables,
                                                     double lambda, int elements, int bisections,
                                                     bool extrapolate);

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
