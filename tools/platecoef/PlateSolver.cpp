#include "PlateSolver.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <cmath>
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
    const double hx = plate.Lx / nx, hy = plate.Ly / ny;
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

    // Every element of the uniform mesh has the same stiffness.
    const ElementMatrix ke = ElementStiffness(hx, hy, plate.Nu, plate.D);
    auto globalOf = [&](int ex, int ey, int e) {
        const int n = e / 4;
        const int i = ex + n % 2, j = ey + n / 2;
        return 4 * (j * nodesX + i) + e % 4;
    };

    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(static_cast<size_t>(nx) * ny * 256);
    for (int ey = 0; ey < ny; ++ey) {
        for (int ex = 0; ex < nx; ++ex) {
            int g[16];
            for (int e = 0; e < 16; ++e) g[e] = freeIndex[globalOf(ex, ey, e)];
            for (int a = 0; a < 16; ++a) {
                if (g[a] < 0) continue;
                for (int b = 0; b < 16; ++b)
                    if (g[b] >= 0) triplets.emplace_back(g[a], g[b], ke(a, b));
            }
        }
    }
    Eigen::SparseMatrix<double> k(freeCount, freeCount);
    k.setFromTriplets(triplets.begin(), triplets.end());
    triplets.clear();
    triplets.shrink_to_fit();

    // A plate that can move as a rigid body gives a (numerically) zero pivot.
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> solver(k);
    const bool singular = solver.info() != Eigen::Success ||
                          solver.vectorD().minCoeff() <= 1e-10 * solver.vectorD().maxCoeff();
    if (singular)
        throw std::runtime_error("SolvePlate: the plate is not held (the stiffness is singular)");

    std::vector<PlateSolution> solutions;
    for (const PlateLoad& load : loads) {
        PlateSolution s;
        s.case_ = plate;
        s.nx_ = nx;
        s.ny_ = ny;
        s.hx_ = hx;
        s.hy_ = hy;
        const double gx = load.Qx / plate.Lx, gy = load.Qy / plate.Ly;
        std::vector<ElementVector> elementLoads(static_cast<size_t>(nx) * ny);
        Eigen::VectorXd f = Eigen::VectorXd::Zero(freeCount);
        for (int ey = 0; ey < ny; ++ey) {
            for (int ex = 0; ex < nx; ++ex) {
                const ElementVector fe = ElementLoad(ex * hx, ey * hy, hx, hy, load.Q0, gx, gy);
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
                    ke * ue - elementLoads[static_cast<size_t>(ey) * nx + ex];
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
        v[0] += ue * ShapeValue(e, 2, 0, xi, eta, hx_, hy_);
        v[1] += ue * ShapeValue(e, 0, 2, xi, eta, hx_, hy_);
        v[2] += ue * ShapeValue(e, 0, 0, xi, eta, hx_, hy_);
    }
    return v;
}

template <class F>
double PlateSolution::MeanOverElements(double x, double y, F&& f) const {
    // Elements whose closed rectangle holds the point.
    auto candidates = [](double t, double h, int n, int out[2], double local[2]) {
        const double s = t / h;
        const double r = std::round(s);
        int count = 0;
        if (std::abs(s - r) < 1e-9) {
            const int node = static_cast<int>(r);
            if (node - 1 >= 0 && node - 1 < n) { out[count] = node - 1; local[count++] = 1.0; }
            if (node >= 0 && node < n) { out[count] = node; local[count++] = 0.0; }
        } else {
            int e = static_cast<int>(std::floor(s));
            e = std::min(std::max(e, 0), n - 1);
            out[count] = e;
            local[count++] = s - e;
        }
        return count;
    };
    int ex[2], ey[2];
    double xi[2], eta[2];
    const int cx = candidates(x, hx_, nx_, ex, xi);
    const int cy = candidates(y, hy_, ny_, ey, eta);
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
    return -force / (alongY ? hy_ : hx_);
}

double PlateSolution::TotalReaction() const {
    double sum = 0.0;
    for (size_t g = 0; g < reaction_.size(); g += 4) sum += reaction_[g];
    return -sum;
}

}  // namespace platecoef
