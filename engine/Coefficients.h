// Coefficients of moments, shears and deflection by edge condition, load
// distribution and span ratio λ = Ly / Lx.
#pragma once

#include "engine/SlabData.h"

namespace korvexa {

struct CoefficientSet {
    double MxEnd = 0;     // × w·Lx², negative = hogging
    double MxCentre = 0;
    double MyEnd = 0;
    double MyCentre = 0;
    double Qx = 0;        // × w·Lx
    double Qy = 0;
    double Dc = 0;        // deflection factor
};

// First step of a design: resets Lambda and Calculated, sets Lambda and
// LambdaMax for two-way slabs.  Returns 0, 1 (spans missing), 2 (Lx > Ly)
// or 3 (λ above the table's limit).
int CheckSpans(SlabData& slab);

// Upper λ limit of the coefficients of an edge condition; -1 = no limit.
double LambdaLimit(int bind, int loadShape);

// The coefficient set for λ; loadShape 0 gives the uniform part.  Callers
// pass a valid edge condition (0..14) and load distribution (0..2).
CoefficientSet LookupCoefficients(double lambda, int bind, int loadShape);

// Lagrange polynomial through four points, evaluated at x (x must differ
// from every xi).
double Interpolate4(const double xs[4], const double ys[4], double x);

}  // namespace korvexa
