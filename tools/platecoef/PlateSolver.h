// Conforming finite-element solver for thin (Kirchhoff) rectangular plates.
//
// The plate occupies 0 <= x <= Lx, 0 <= y <= Ly and is meshed with a grid of
// Bogner-Fox-Schmit rectangles: bicubic Hermite elements with the four
// nodal unknowns w, w_x, w_y and w_xy.  Every edge may be clamped, simply
// supported or free.  The load is q(x, y) = q0 + qx·x/Lx + qy·y/Ly, positive
// in the direction of positive w; several loads share one factorisation.  Units are the caller's: with D = 1,
// q = 1 and Lx = 1 the results are the dimensionless coefficients.
#pragma once

#include <array>
#include <vector>

namespace platecoef {

enum class Edge { Clamped, Simple, Free };

// Edges in the order West (x = 0), East (x = Lx), South (y = 0), North (y = Ly).
enum EdgeSide { West, East, South, North };

struct PlateCase {
    double Lx = 1.0;
    double Ly = 1.0;
    std::array<Edge, 4> Edges{Edge::Clamped, Edge::Clamped, Edge::Clamped, Edge::Clamped};
    double Nu = 0.0;  // Poisson's ratio
    double D = 1.0;   // flexural rigidity E·t³ / (12·(1 − ν²))
};

// Load q(x, y) = Q0 + Qx·x/Lx + Qy·y/Ly.
struct PlateLoad {
    double Q0 = 1.0;  // intensity at x = 0, y = 0
    double Qx = 0.0;  // added intensity at x = Lx
    double Qy = 0.0;  // added intensity at y = Ly
};

class PlateSolution {
public:
    // Deflection and bending moments Mx = −D(w_xx + ν w_yy), My = −D(w_yy + ν w_xx)
    // at a point of the plate.  A point on an element border takes the mean of
    // the elements that meet there (the moments are discontinuous across them).
    double W(double x, double y) const;
    double Mx(double x, double y) const;
    double My(double x, double y) const;

    // Support reaction per unit length (positive when it opposes a positive
    // load) at mesh node (i, j) of a supported edge, from the consistent nodal
    // force of the w unknown divided by the tributary length (half of each
    // element beside the node).  Corner nodes are not meaningful here.
    double EdgeReaction(int i, int j) const;

    // Sum of all nodal support forces (w unknowns), for equilibrium checks.
    double TotalReaction() const;

    int Nx() const { return nx_; }
    int Ny() const { return ny_; }
    // Element sizes of a mesh of equal rectangles.
    double Hx() const { return grid_.Sizes[0].front(); }
    double Hy() const { return grid_.Sizes[1].front(); }
    const PlateCase& Case() const { return case_; }

    // The mesh lines of a solver's grid: Lines[0] the x of its columns of
    // nodes, Lines[1] the y of its rows; Sizes[d][e] = Lines[d][e + 1] − Lines[d][e].
    struct Grid {
        std::array<std::vector<double>, 2> Lines;
        std::array<std::vector<double>, 2> Sizes;
        std::array<bool, 2> Equal{};  // every element of that direction has the same size
    };

private:
    friend std::vector<PlateSolution> SolvePlateOnGrid(const PlateCase& plate,
                                                       const std::vector<PlateLoad>& loads,
                                                       const std::vector<double>& xSizes,
                                                       const std::vector<double>& ySizes);

    // Second derivatives (w_xx, w_yy) and w in element (ex, ey) at local (ξ, η).
    std::array<double, 3> ElementValues(int ex, int ey, double xi, double eta) const;
    // Mean over the elements touching (x, y) of the given evaluation.
    template <class F>
    double MeanOverElements(double x, double y, F&& f) const;

    PlateCase case_;
    int nx_ = 0;
    int ny_ = 0;
    Grid grid_;
    std::vector<double> u_;         // 4 unknowns per node, node index j·(nx+1) + i
    std::vector<double> reaction_;  // nodal support forces (K·u − f), same layout
};

// Solves the plate for each load on an nx × ny mesh of equal rectangles.
std::vector<PlateSolution> SolvePlate(const PlateCase& plate, const std::vector<PlateLoad>& loads,
                                      int nx, int ny);

// The same on a mesh of rectangles whose widths (along x) and heights
// (along y) are given in order; they add up to Lx and Ly.  Finer elements
// where the moments change fast (near a corner) keep the mesh small.
std::vector<PlateSolution> SolvePlateOnGrid(const PlateCase& plate, const std::vector<PlateLoad>& loads,
                                            const std::vector<double>& xSizes,
                                            const std::vector<double>& ySizes);

}  // namespace platecoef
