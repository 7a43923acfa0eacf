#include "Coefficients.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace platecoef {

namespace {

constexpr Edge C = Edge::Clamped;
constexpr Edge S = Edge::Simple;
constexpr Edge F = Edge::Free;

// Load shapes.  A varying part is zero at one edge and 1 at the opposite
// one; it is largest at the fixed edge (West for a variation across the
// short span, South along the long span) and zero at the free edge where
// there is one.
constexpr PlateLoad kUniform{1.0, 0.0, 0.0};
constexpr PlateLoad kVaryingAcross{1.0, -1.0, 0.0};  // 1 at x = 0, 0 at x = Lx
constexpr PlateLoad kVaryingAlong{1.0, 0.0, -1.0};   // 1 at y = 0, 0 at y = Ly

bool Supported(Edge e) { return e != Edge::Free; }

// Largest value of f over the plate.  f is taken at every node (the mean of
// the elements meeting there, a smooth field); around the best node the 3 × 3
// nodal values (shifted inwards at an edge) are interpolated biquadratically
// and the interpolant is maximised within one mesh step of that node.
template <class F>
double PlateMaximum(const PlateSolution& s, F&& f) {
    const int nx = s.Nx(), ny = s.Ny();
    const double hx = s.Hx(), hy = s.Hy();
    std::vector<double> v(static_cast<size_t>(nx + 1) * (ny + 1));
    auto at = [&](int i, int j) -> double& { return v[static_cast<size_t>(j) * (nx + 1) + i]; };
    int bi = 0, bj = 0;
    for (int j = 0; j <= ny; ++j) {
        for (int i = 0; i <= nx; ++i) {
            at(i, j) = f(i * hx, j * hy);
            if (at(i, j) > at(bi, bj)) {
                bi = i;
                bj = j;
            }
        }
    }
    const int i0 = std::clamp(bi - 1, 0, nx - 2), j0 = std::clamp(bj - 1, 0, ny - 2);
    // Quadratic Lagrange weights on the nodes 0, 1, 2 at local coordinate t.
    auto weights = [](double t, double w[3]) {
        w[0] = (t - 1) * (t - 2) / 2;
        w[1] = -t * (t - 2);
        w[2] = t * (t - 1) / 2;
    };
    double best = at(bi, bj);
    constexpr int kSub = 32;  // samples per mesh step
    for (int a = -kSub; a <= kSub; ++a) {
        const double ti = bi + double(a) / kSub;
        if (ti < 0 || ti > nx) continue;
        double wx[3];
        weights(ti - i0, wx);
        for (int b = -kSub; b <= kSub; ++b) {
            const double tj = bj + double(b) / kSub;
            if (tj < 0 || tj > ny) continue;
            double wy[3];
            weights(tj - j0, wy);
            double value = 0.0;
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q) value += wx[p] * wy[q] * at(i0 + p, j0 + q);
            best = std::max(best, value);
        }
    }
    return best;
}

// The largest support reaction along a supported edge.  The nodes between
// the corners are searched for humps (a node at least as large as both
// neighbours); the largest hump is refined by the parabola through it and
// its neighbours.  The corner nodes carry the concentrated corner forces and
// are not reactions along the edge.  Where the edge meets a free edge the
// Kirchhoff reaction grows without bound into that corner (it rises with
// every refinement of the mesh), so the node next to such a corner is no
// hump; when the reaction only rises into the corner, without a hump inside
// the edge, no largest value exists and the middle of the edge is taken.
double LargestEdgeReaction(const PlateSolution& s, EdgeSide side, bool freeAtStart, bool freeAtEnd) {
    const bool alongY = side == West || side == East;
    const int n = alongY ? s.Ny() : s.Nx();
    const int across = side == East ? s.Nx() : side == North ? s.Ny() : 0;
    auto r = [&](int k) { return alongY ? s.EdgeReaction(across, k) : s.EdgeReaction(k, across); };
    int best = -1;
    for (int k = freeAtStart ? 2 : 1; k <= (freeAtEnd ? n - 2 : n - 1); ++k)
        if (r(k) >= r(k - 1) && r(k) >= r(k + 1) && (best < 0 || r(k) > r(best))) best = k;
    if (best < 0) return r(n / 2);
    const double a = r(best - 1), b = r(best), c = r(best + 1);
    const double bend = a - 2 * b + c;
    return bend < 0 ? b - (a - c) * (a - c) / (8 * bend) : b;
}

// End moments near a free corner, on their own graded meshes, extrapolated
// like the others: an end moment row that takes the free-corner value keeps
// the larger hogging moment of the two.
void TakeFreeCornerMoments(const std::vector<const TableDefinition*>& tables, double lambda,
                           const MeshSettings& mesh, std::vector<Column>& columns) {
    std::vector<const TableDefinition*> corner;
    for (const TableDefinition* t : tables)
        if (t->CornerMx || t->CornerMy) corner.push_back(t);
    if (corner.empty()) return;
    const auto moments = FreeCornerMoments(corner, lambda, mesh.Elements, 0, mesh.Extrapolate);
    for (size_t k = 0, c = 0; k < tables.size(); ++k) {
        const TableDefinition& t = *tables[k];
        if (!t.CornerMx && !t.CornerMy) continue;
        if (t.CornerMx) columns[k][0] = std::min(columns[k][0], moments[c][0]);
        if (t.CornerMy) columns[k][2] = std::min(columns[k][2], moments[c][1]);
        ++c;
    }
}

// Element sizes filling a segment of the given length between elements of
// size `before` and `after` (0: no element there): sizes growing by 1.5 from
// each side up to about h, equal elements between.
void FillSegment(double length, double before, double after, double h, std::vector<double>& out) {
    auto grow = [&](double from) {
        std::vector<double> sizes;
        double used = 0;
        for (double size = from * 1.5; from > 0 && size < h && used + size <= length / 2; size *= 1.5) {
            sizes.push_back(size);
            used += size;
        }
        return sizes;
    };
    const std::vector<double> left = grow(before), right = grow(after);
    double rest = length;
    for (double size : left) rest -= size;
    for (double size : right) rest -= size;
    const int middle = std::max(1, static_cast<int>(std::ceil(rest / h - 1e-9)));
    out.insert(out.end(), left.begin(), left.end());
    out.insert(out.end(), middle, rest / middle);
    out.insert(out.end(), right.rbegin(), right.rend());
}

// Sizes along [0, length] with zones [from, to] of equal elements `size`.
std::vector<double> GradedSizes(double length, double h, std::vector<std::array<double, 3>> zones) {
    std::sort(zones.begin(), zones.end());
    std::vector<double> out;
    double at = 0, previous = 0;
    for (const auto& [from, to, size] : zones) {
        if (from > at + 1e-12) FillSegment(from - at, previous, size, h, out);
        const int count = static_cast<int>(std::lround((to - from) / size));
        out.insert(out.end(), count, (to - from) / count);
        at = to;
        previous = size;
    }
    if (length > at + 1e-12) FillSegment(length - at, previous, 0, h, out);
    return out;
}

}  // namespace

std::array<std::vector<double>, 2> FreeCornerGrid(const TableDefinition& t, double lambda, int elements) {
    // Around a point at distance d from its corner: 2·kZone elements of d/kZone
    // along the edge, centred on the point, and as many across the edge.
    constexpr int kZone = 4;
    const double h = 1.0 / elements, length[2] = {1.0, lambda};
    std::array<std::vector<std::array<double, 3>>, 2> zones;
    for (int row : {0, 2}) {
        if (!(row == 0 ? t.CornerMx : t.CornerMy)) continue;
        double p[2];
        if (!FreeCornerPoint(t, row, lambda, kFreeCornerFraction, p[0], p[1])) continue;
        const int along = row == 0 ? 1 : 0;  // the edge of Mx runs along y
        const double d = (1 - kFreeCornerFraction) * length[along], size = d / kZone;
        zones[along].push_back({p[along] - d, p[along] + d, size});
        const double across = p[1 - along];  // 0 or the length: the edge itself
        zones[1 - along].push_back(across == 0 ? std::array<double, 3>{0, 2 * d, size}
                                               : std::array<double, 3>{across - 2 * d, across, size});
    }
    return {GradedSizes(1.0, h, zones[0]), GradedSizes(lambda, h, zones[1])};
}

std::vector<double> Bisected(const std::vector<double>& sizes) {
    std::vector<double> out;
    for (double size : sizes) out.insert(out.end(), 2, size / 2);
    return out;
}

std::vector<std::array<double, 2>> FreeCornerMoments(const std::vector<const TableDefinition*>& tables,
                                                     double lambda, int elements, int bisections,
                                                     bool extrapolate) {
    std::array<std::vector<double>, 2> grid = FreeCornerGrid(*tables.front(), lambda, elements);
    PlateCase plate;
    plate.Ly = lambda;
    plate.Edges = tables.front()->Edges;
    std::vector<PlateLoad> loads;
    for (const TableDefinition* t : tables) {
        if (t->Edges != plate.Edges || FreeCornerGrid(*t, lambda, elements) != grid)
            throw std::invalid_argument("FreeCornerMoments: tables of different plates or meshes");
        loads.push_back(t->Load);
    }
    for (int i = 0; i < bisections; ++i) grid = {Bisected(grid[0]), Bisected(grid[1])};
    auto measure = [&](const std::array<std::vector<double>, 2>& g) {
        const auto solutions = SolvePlateOnGrid(plate, loads, g[0], g[1]);
        std::vector<std::array<double, 2>> m;
        for (size_t k = 0; k < tables.size(); ++k) m.push_back(MeasureFreeCorner(*tables[k], solutions[k]));
        return m;
    };
    std::vector<std::array<double, 2>> m = measure(grid);
    if (extrapolate) {
        const auto fine = measure({Bisected(grid[0]), Bisected(grid[1])});
        for (size_t k = 0; k < m.size(); ++k)
            for (int i = 0; i < 2; ++i) m[k][i] = (4.0 * fine[k][i] - m[k][i]) / 3.0;
    }
    return m;
}

const std::vector<TableDefinition>& TableDefinitions() {
    static const std::vector<TableDefinition> defs = {
        {"Bind 1, LoadShape 0", {C, C, C, C}, kUniform, 20, 0.1, false, true},
        {"Bind 1, LoadShape 1", {C, C, C, C}, kVaryingAcross, 10, 0.1},
        {"Bind 1, LoadShape 2", {C, C, C, C}, kVaryingAlong, 10, 0.1},
        {"Bind 2", {C, C, C, S}, kUniform, 10, 0.1},
        {"Bind 3", {C, S, C, C}, kUniform, 10, 0.1},
        {"Bind 4", {C, S, C, S}, kUniform, 10, 0.1},
        {"Bind 5", {C, C, S, S}, kUniform, 10, 0.1},
        {"Bind 6", {S, S, C, C}, kUniform, 10, 0.1},
        {"Bind 7", {S, S, S, S}, kUniform, 12, 0.25},
        // The last two flags: MxEnd and MyEnd take the free-corner value
        // (not Bind 8 varying: near its free corner the load is small and
        // the moment below the middle's everywhere).
        {"Bind 8, LoadShape 0", {C, C, C, F}, kUniform, 10, 0.1, false, false, true, false},
        {"Bind 8, LoadShape 1", {C, C, C, F}, kVaryingAlong, 5, 0.2},
        {"Bind 9, LoadShape 0", {C, F, C, C}, kUniform, 30, 0.1, false, false, false, true},
        {"Bind 9, LoadShape 1", {C, F, C, C}, kVaryingAcross, 15, 0.2, false, false, false, true},
        {"Bind 10", {C, F, C, F}, kUniform, 30, 0.1, true, false, true, true},
    };
    return defs;
}

double LambdaOf(const TableDefinition& table, int column) { return 1.0 + column * table.Step; }

bool FreeCornerPoint(const TableDefinition& t, int row, double lambda, double f, double& x, double& y) {
    const auto& e = t.Edges;
    if (row == 0 && e[West] == Edge::Clamped) {
        if (e[North] == Edge::Free) { x = 0; y = f * lambda; return true; }
        if (e[South] == Edge::Free) { x = 0; y = (1 - f) * lambda; return true; }
    }
    if (row == 2 && e[South] == Edge::Clamped) {
        if (e[East] == Edge::Free) { x = f; y = 0; return true; }
        if (e[West] == Edge::Free) { x = 1 - f; y = 0; return true; }
    }
    return false;
}

int ElementsAlong(double lambda, int elements) {
    return std::max(2, 2 * static_cast<int>(std::lround(lambda * elements / 2.0)));
}

std::array<double, 2> MeasureFreeCorner(const TableDefinition& t, const PlateSolution& s) {
    const double lambda = s.Case().Ly;
    std::array<double, 2> m{0.0, 0.0};
    double x, y;
    if (t.CornerMx && FreeCornerPoint(t, 0, lambda, kFreeCornerFraction, x, y)) m[0] = s.Mx(x, y);
    if (t.CornerMy && FreeCornerPoint(t, 2, lambda, kFreeCornerFraction, x, y)) m[1] = s.My(x, y);
    return m;
}

Column MeasureColumn(const TableDefinition& t, const PlateSolution& s) {
    const double lambda = s.Case().Ly;
    const auto& e = t.Edges;
    Column c{};
    // End moments: middle of a clamped edge; the West / South edge when both
    // are clamped (it carries the larger part of a varying load).  A simply
    // supported direction stores zero (the lookup uses the centre moment).
    if (e[West] == Edge::Clamped) c[0] = s.Mx(0.0, lambda / 2);
    else if (e[East] == Edge::Clamped) c[0] = s.Mx(1.0, lambda / 2);
    if (e[South] == Edge::Clamped) c[2] = s.My(0.5, 0.0);
    else if (e[North] == Edge::Clamped) c[2] = s.My(0.5, lambda);
    // Centre moments: the largest sagging moment of the direction.
    c[1] = PlateMaximum(s, [&](double x, double y) { return s.Mx(x, y); });
    c[3] = PlateMaximum(s, [&](double x, double y) { return s.My(x, y); });
    // Shears: the largest support reaction along a supported edge, West /
    // South first (the clamped or more loaded edge of every table).
    if (t.UnitShears) {
        c[4] = c[5] = 1.0;
    } else {
        const bool freeS = e[South] == Edge::Free, freeN = e[North] == Edge::Free;
        const bool freeW = e[West] == Edge::Free, freeE = e[East] == Edge::Free;
        if (Supported(e[West])) c[4] = LargestEdgeReaction(s, West, freeS, freeN);
        else if (Supported(e[East])) c[4] = LargestEdgeReaction(s, East, freeS, freeN);
        if (Supported(e[South])) c[5] = LargestEdgeReaction(s, South, freeW, freeE);
        else if (Supported(e[North])) c[5] = LargestEdgeReaction(s, North, freeW, freeE);
    }
    // Deflection: the largest deflection of the plate.
    c[6] = 12.0 * PlateMaximum(s, [&](double x, double y) { return s.W(x, y); });
    return c;
}

std::vector<Column> ComputeColumns(const std::vector<const TableDefinition*>& tables, double lambda,
                                   const MeshSettings& mesh) {
    if (tables.empty()) return {};
    PlateCase plate;
    plate.Lx = 1.0;
    plate.Ly = lambda;
    plate.Edges = tables.front()->Edges;
    std::vector<PlateLoad> loads;
    for (const TableDefinition* t : tables) {
        if (t->Edges != plate.Edges)
            throw std::invalid_argument("ComputeColumns: tables of different plates");
        loads.push_back(t->Load);
    }
    auto measure = [&](int elements) {
        const auto solutions =
            SolvePlate(plate, loads, elements, ElementsAlong(lambda, elements));
        std::vector<Column> columns;
        for (size_t k = 0; k < tables.size(); ++k)
            columns.push_back(MeasureColumn(*tables[k], solutions[k]));
        return columns;
    };
    std::vector<Column> coarse = measure(mesh.Elements);
    if (mesh.Extrapolate) {
        const std::vector<Column> fine = measure(2 * mesh.Elements);
        for (size_t k = 0; k < tables.size(); ++k) {
            for (int r = 0; r < kRows; ++r) {
                if (tables[k]->UnitShears && (r == 4 || r == 5)) continue;
                coarse[k][r] = (4.0 * fine[k][r] - coarse[k][r]) / 3.0;
            }
        }
    }
    TakeFreeCornerMoments(tables, lambda, mesh, coarse);
    return coarse;
}

std::vector<GeneratedTable> GenerateAll(const MeshSettings& mesh) {
    const auto& defs = TableDefinitions();
    std::vector<GeneratedTable> out;
    for (const TableDefinition& s : defs) out.push_back({&s, {}});

    // Tables of the same plate are solved together, column by column; a
    // coarser λ grid is a subset of the finest grid of its plate.
    std::map<std::array<Edge, 4>, std::vector<size_t>> plates;
    for (size_t i = 0; i < defs.size(); ++i) plates[defs[i].Edges].push_back(i);
    for (const auto& [edges, members] : plates) {
        // λ values in hundredths, to match the grids exactly.
        std::map<int, std::vector<std::pair<size_t, int>>> byLambda;
        for (size_t i : members) {
            for (int j = 0; j <= defs[i].LastColumn; ++j) {
                const int key = static_cast<int>(std::lround(LambdaOf(defs[i], j) * 100));
                byLambda[key].push_back({i, j});
            }
        }
        for (const auto& [key, entries] : byLambda) {
            std::vector<const TableDefinition*> tables;
            for (const auto& entry : entries) tables.push_back(&defs[entry.first]);
            const std::vector<Column> columns = ComputeColumns(tables, key / 100.0, mesh);
            for (size_t k = 0; k < entries.size(); ++k)
                out[entries[k].first].Columns[entries[k].second] = columns[k];
        }
    }
    return out;
}

}  // namespace platecoef
