#include "PlateSolver.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <stdexcept>

namespace platecoef {

namespace {

// One-dimensional cubic Hermite functions on an element of length h, in the
// order value at 0, slope at 0, value at 1, slope at 1; d = derivative order
// with respect to the physical coordinate.
double Hermite(int k, int d, double t, double h) {
    switch (d) {
    case 0:
        switch (k) {
        case 0: return 1 - 3 * t * t + 2 * t * t * t;
        case 1: return h * (t - 2 * t * t + t * t * t);
        case 2: return 3 * t * t - 2 * t * t * t;
        default: return h * (-t * t + t * t * t);
        }
    case 1:
        switch (k) {
        case 0: return (-6 * t + 6 * t * t) / h;
        case 1: return 1 - 4 * t + 3 * t * t;
        case 2: return (6 * t - 6 * t * t) / h;
        default: return -2 * t + 3 * t * t;
        }
    default:
        switch (k) {
        case 0: return (-6 + 12 * t) / (h * h);
        case 1: return (-4 + 6 * t) / h;
        case 2: return (6 - 12 * t) / (h * h);
        default: return (-2 + 6 * t) / h;
        }
    }
}

// Element unknown e (0..15): node n = e / 4 with corners (0,0), (1,0), (0,1),
// (1,1) in local (a, b); unknown kind k = e % 4: w, w_x, w_y, w_xy.
struct Shape {
    int Xk, Yk;  // Hermite index in x and y
};

Shape ShapeOf(int e) {
    const int n = e / 4, k = e % 4;
    const int a = n % 2, b = n / 2;
    const int xslope = (k == 1 || k == 3) ? 1 : 0;
    const int yslope = (k == 2 || k == 3) ? 1 : 0;
    return {2 * a + xslope, 2 * b + yslope};
}

double ShapeValue(int e, int dx, int dy, double xi, double eta, double hx, double hy) {
    const Shape s = ShapeOf(e);
    return Hermite(s.Xk, dx, xi, hx) * Hermite(s.Yk, dy, eta, hy);
}

constexpr std::array<double, 4> kGaussPoint{0.0694318442029737, 0.3300094782075719,
                                             0.6699905217924281, 0.9305681557970263};
constexpr std::array<double, 4> kGaussWeight{0.1739274225687269, 0.3260725774312731,
                                              0.3260725774312731, 0.1739274225687269};

using ElementMatrix = Eigen::Matrix<double, 16, 16>;
using ElementVector = Eigen::Matrix<double, 16, 1>;

ElementMatrix ElementStiffness(double hx, double hy, double nu, double d) {
    ElementMatrix k = ElementMatrix::Zero();
    for (int gx = 0; gx < 4; ++gx) {
        for (int gy = 0; gy < 4; ++gy) {
            const double xi = kGaussPoint[gx], eta = kGaussPoint[gy];
            const double weight = kGaussWeight[gx] * kGaussWeight[gy] * hx * hy * d;
            Eigen::Matrix<double, 3, 16> b;
            for (int e = 0; e < 16; ++e) {
                b(0, e) = ShapeValue(e, 2, 0, xi, eta, hx, hy);
                b(1, e) = ShapeValue(e, 0, 2, xi, eta, hx, hy);
                b(2, e) = 2 * ShapeValue(e, 1, 1, xi, eta, hx, hy);
            }
            Eigen::Matrix3d c;
            c << 1, nu, 0, nu, 1, 0, 0, 0, (1 - nu) / 2;
            k.noalias() += weight * b.transpose() * c * b;
        }
    }
    return k;
}

// Consistent load vector of a load q0 + gx·x + gy·y over the element whose
// lower-left corner is (x0, y0).
ElementVector ElementLoad(double x0, double y0, double hx, double hy, double q0, double gx,
                          double gy) {
    ElementVector f = ElementVector::Zero();
    for (int ix = 0; ix < 4; ++ix) {
        for (int iy = 0; iy < 4; ++iy) {
            const double xi = kGaussPoint[ix], eta = kGaussPoint[iy];
            const double q = q0 + gx * (x0 + xi * hx) + gy * (y0 + eta * hy);
            const double weight = kGaussWeight[ix] * kGaussWeight[iy] * hx * hy * q;
            for (int e = 0; e < 16; ++e) f(e) += weight * ShapeValue(e, 0, 0, xi, eta, hx, hy);
        }
    }
    return f;
}

// Unknown k of a node on an edge of the given kind that the support fixes.
// Along an edge x = const the tangential derivatives are w_y and w_xy, along
// y = const they are w_x and w_xy.
bool Fixed(Edge edge, bool edgeAlongY, int k) {
    switch (edge) {
    case Edge::Clamped: return true;
    case Edge::Simple: return k == 0 || k == (edgeAlongY ? 2 : 1);
    default: return false;
    }
}

}  // namespace

std::vector<PlateSolution> SolvePlate(const PlateCase& plate, const std::vector<PlateLoad>& loads,
                                      int nx, int ny) {
    if (nx < 1 || ny < 1) throw std::invalid_argument("SolvePlate: empty mesh");
    return SolvePlateOnGrid(plate, loads, std::vector<double>(nx, plate.Lx / nx),
                            std::vector<double>(ny, plate.Ly / ny));
}

std::vector<PlateSolution> SolvePlateOnGrid(const PlateCase& plate, const std::vector<PlateLoad>& loads,
                                            const std::vector<double>& xSizes,
                                            const std::vector<double>& ySizes) {
    const int nx = static_cast<int>(xSizes.size()), ny = static_cast<int>(ySizes.size());
    if (nx < 1 || ny < 1) throw std::invalid_argument("SolvePlate: empty mesh");
    PlateSolution::Grid grid;
    grid.Sizes = {xSizes, ySizes};
    for (int d = 0; d < 2; ++d) {
        // Node k of a mesh of equal elements lies at k·h exactly, as before
        // graded meshes existed (the stored tables depend on it).
        const std::vector<double>& sizes = grid.Sizes[d];
        const bool equal = std::all_of(sizes.begin(), sizes.end(), [&](double h) { return h == sizes[0]; });
        grid.Equal[d] = equal;
        double at = 0.0;
        grid.Lines[d].push_back(0.0);
        for (size_t k = 0; k < sizes.size(); ++k) {
            at += sizes[k];
            grid.Lines[d].push_back(equal ? (k + 1) * sizes[0] : at);
        }
    }
    const int nodesX = nx + 1;
    const int nodeCount = nodesX * (ny + 1);
    const int unknowns = 4 * nodeCount;

    // Which unknowns the supports fix.
    std::vector<char> fixed(unknowns, 0);
    for (int j = 0; j <= ny; ++j) {
        for (int i = 0; i <= nx; ++i) {
            for (int k = 0; k < 4; ++k) {
                bool f = false;
                if (i == 0) f = f || Fixed(plate.Edges[West], true, k);
                if (i == nx) f = f || Fixed(plate.Edges[East], true, k);
                if (j == 0) f = f || Fixed(plate.Edges[South], false, k);
                if (j == ny) f = f || Fixed(plate.Edges[North], false, k);
                fixed[4 * (j * nodesX + i) + k] = f;
            }
        }
    }
    std::vector<int> freeIndex(unknowns, -1);
    int freeCount = 0;
    for (int g = 0; g < unknowns; ++g)
        if (!fixed[g]) freeIndex[g] = freeCount++;

    // Elements of equal size share one stiffness matrix.
    std::map<std::pair<double, double>, ElementMatrix> stiffness;
    auto ke = [&](int ex, int ey) -> const ElementMatrix& {
        const std::pair<double, double> size{xSizes[ex], ySizes[ey]};
        auto it = stiffness.find(size);
        if (it == stiffness.end())
            it = stiffness.emplace(size, ElementStiffness(size.first, size.second, plate.Nu, plate.D)).first;
        return it->second;
    };
    auto globalOf = [&](int ex, int ey, int e) {
        const int n = e / 4;
        const int i = ex + n % 2, j = ey + n / 2;
        return 4 * (j * nodesX + i) + e % 4;
    };

    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(static_cast<size_t>(nx) * ny * 256);
    for (int ey = 0; ey < ny; ++ey) {
        for (int ex = 0; ex < nx; ++ex) {
            const ElementMatrix& k = ke(ex, ey);
            int g[16];
            for (int e = 0; e < 16; ++e) g[e] = freeIndex[globalOf(ex, ey, e)];
            for (int a = 0; a < 16; ++a) {
                if (g[a] < 0) continue;
                for (int b = 0; b < 16; ++b)
                    if (g[b] >= 0) triplets.emplace_back(g[a], g[b], k(a, b));
            }
        }
    }
    Eigen::SparseMatrix<double> k(freeCount, freeCount);
    k.setFromTriplets(triplets.begin(), triplets.end());
    triplets.clear();
    triplets.shrink_to_fit();

    // A plate that can move as a rigid body gives a (numerically) zero
    // pivot.  A plate that is held has its smallest pivot near the stiffness
    // of its lowest mode and its largest near that of one element: their
    // ratio falls with the fourth power of the element size (about 4e-8 at
    // 16 elements across the span, 1e-11 at 128).
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> solver(k);
    const double h = std::min(*std::min_element(xSizes.begin(), xSizes.end()),
                              *std::min_element(ySizes.begin(), ySizes.end())) /
                     std::min(plate.Lx, plate.Ly);
    const bool singular = solver.info() != Eigen::Success ||
                          solver.vectorD().minCoeff() <= 1e-6 * std::pow(h, 4) * solver.vectorD().maxCoeff();
    if (singular)
        throw std::runtime_error("SolvePlate: the plate is not held (the stiffness is singular)");

    std::vector<PlateSolution> solutions;
    for (const PlateLoad& load : loads) {
        PlateSolution s;
        s.case_ = plate;
        s.nx_ = nx;
        s.ny_ = ny;
        s.grid_ = grid;
        const double gx = load.Qx / plate.Lx, gy = load.Qy / plate.Ly;
        std::vector<ElementVector> elementLoads(static_cast<size_t>(nx) * ny);
        Eigen::VectorXd f = Eigen::VectorXd::Zero(freeCount);
        for (int ey = 0; ey < ny; ++ey) {
            for (int ex = 0; ex < nx; ++ex) {
                const ElementVector fe = ElementLoad(grid.Lines[0][ex], grid.Lines[1][ey], xSizes[ex],
                                                     ySizes[ey], load.Q0, gx, gy);
                elementLoads[static_cast<size_t>(ey) * nx + ex] = fe;
                for (int e = 0; e < 16; ++e) {
                    const int g = freeIndex[globalOf(ex, ey, e)];
                    if (g >= 0) f(g) += fe(e);
                }
            }
        }
        const Eigen::VectorXd x = solver.solve(f);
        s.u_.assign(unknowns, 0.0);
        for (int g = 0; g < unknowns; ++g)
            if (freeIndex[g] >= 0) s.u_[g] = x(freeIndex[g]);

        // Nodal support forces: K·u − f over the whole mesh, kept at the fixed unknowns.
        s.reaction_.assign(unknowns, 0.0);
        for (int ey = 0; ey < ny; ++ey) {
            for (int ex = 0; ex < nx; ++ex) {
                ElementVector ue;
                for (int e = 0; e < 16; ++e) ue(e) = s.u_[globalOf(ex, ey, e)];
                const ElementVector re =
                    ke(ex, ey) * ue - elementLoads[static_cast<size_t>(ey) * nx + ex];
                for (int e = 0; e < 16; ++e) s.reaction_[globalOf(ex, ey, e)] += re(e);
            }
        }
        for (int g = 0; g < unknowns; ++g)
            if (!fixed[g]) s.reaction_[g] = 0.0;
        solutions.push_back(std::move(s));
    }
    return solutions;
}

std::array<double, 3> PlateSolution::ElementValues(int ex, int ey, double xi, double eta) const {
    const int nodesX = nx_ + 1;
    std::array<double, 3> v{0.0, 0.0, 0.0};
    for (int e = 0; e < 16; ++e) {
        const int n = e / 4;
        const int i = ex + n % 2, j = ey + n / 2;
        const double ue = u_[4 * (j * nodesX + i) + e % 4];
        const double hx = grid_.Sizes[0][ex], hy = grid_.Sizes[1][ey];
        v[0] += ue * ShapeValue(e, 2, 0, xi, eta, hx, hy);
        v[1] += ue * ShapeValue(e, 0, 2, xi, eta, hx, hy);
        v[2] += ue * ShapeValue(e, 0, 0, xi, eta, hx, hy);
    }
    return v;
}

template <class F>
double PlateSolution::MeanOverElements(double x, double y, F&& f) const {
    // Elements whose closed rectangle holds the point: both elements beside
    // a mesh line when the point lies on it (within 1e-9 of an element).
    auto candidates = [](double t, const std::vector<double>& lines, const std::vector<double>& sizes,
                         bool equal, int out[2], double local[2]) {
        const int n = static_cast<int>(sizes.size());
        int e;
        double s;  // position in element sizes from line e
        if (equal) {
            const double u = t / sizes[0];
            e = static_cast<int>(std::floor(u + 1e-9));
            s = u - e;
        } else {
            e = static_cast<int>(std::upper_bound(lines.begin(), lines.end(), t) - lines.begin()) - 1;
            e = std::min(std::max(e, 0), n - 1);
            s = (t - lines[e]) / sizes[e];
            if (s > 1 - 1e-9 && e + 1 < n) {
                ++e;
                s = (t - lines[e]) / sizes[e];
            }
        }
        int count = 0;
        if (std::abs(s) < 1e-9) {
            if (e - 1 >= 0 && e - 1 < n) { out[count] = e - 1; local[count++] = 1.0; }
            if (e >= 0 && e < n) { out[count] = e; local[count++] = 0.0; }
        } else {
            e = std::min(std::max(e, 0), n - 1);
            out[count] = e;
            local[count++] = equal ? t / sizes[0] - e : (t - lines[e]) / sizes[e];
        }
        return count;
    };
    int ex[2], ey[2];
    double xi[2], eta[2];
    const int cx = candidates(x, grid_.Lines[0], grid_.Sizes[0], grid_.Equal[0], ex, xi);
    const int cy = candidates(y, grid_.Lines[1], grid_.Sizes[1], grid_.Equal[1], ey, eta);
    double sum = 0.0;
    for (int a = 0; a < cx; ++a)
        for (int b = 0; b < cy; ++b) sum += f(ElementValues(ex[a], ey[b], xi[a], eta[b]));
    return sum / (cx * cy);
}

double PlateSolution::W(double x, double y) const {
    return MeanOverElements(x, y, [](const std::array<double, 3>& v) { return v[2]; });
}

double PlateSolution::Mx(double x, double y) const {
    const double nu = case_.Nu, d = case_.D;
    return MeanOverElements(x, y, [&](const std::array<double, 3>& v) {
        return -d * (v[0] + nu * v[1]);
    });
}

double PlateSolution::My(double x, double y) const {
    const double nu = case_.Nu, d = case_.D;
    return MeanOverElements(x, y, [&](const std::array<double, 3>& v) {
        return -d * (v[1] + nu * v[0]);
    });
}

double PlateSolution::EdgeReaction(int i, int j) const {
    const double force = reaction_[4 * (j * (nx_ + 1) + i)];
    const bool alongY = (i == 0 || i == nx_);
    const std::vector<double>& sizes = grid_.Sizes[alongY ? 1 : 0];
    const int k = alongY ? j : i, n = static_cast<int>(sizes.size());
    const double before = sizes[std::max(k - 1, 0)], after = sizes[std::min(k, n - 1)];
    return -force / ((before + after) / 2);
}

double PlateSolution::TotalReaction() const {
    double sum = 0.0;
    for (size_t g = 0; g < reaction_.size(); g += 4) sum += reaction_[g];
    return -sum;
}

}  // namespace platecoef
