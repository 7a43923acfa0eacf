// Classical series solutions of the uniformly loaded rectangular plate with
// all four edges simply supported, used to check the finite-element results.
//
// The plate is 0 <= x <= a, 0 <= y <= b under the load q, with rigidity D and
// Poisson's ratio ν.  Deflection and moments come from the Navier double
// sine series; the edge reactions (Kirchhoff effective shear) from the Levy
// single series, which converges for them where the double series does not
// usefully.
#pragma once

namespace platecoef {

struct SimplePlate {
    double A = 1.0;
    double B = 1.0;
    double Q = 1.0;
    double D = 1.0;
    double Nu = 0.0;
};

// Navier double series over odd m, n up to `terms`.
double NavierDeflection(const SimplePlate& p, double x, double y, int terms = 401);
double NavierMx(const SimplePlate& p, double x, double y, int terms = 801);
double NavierMy(const SimplePlate& p, double x, double y, int terms = 801);

// Largest My along the line x = a/2 (searched over 0 <= y <= b/2).
double NavierMaxMyOnCentreLine(const SimplePlate& p);

// Support reaction per unit length (positive against the load) at the
// middle of the edge x = 0 and of the edge y = 0, from the Levy series.
double LevyReactionEdgeX(const SimplePlate& p, int terms = 200001);
double LevyReactionEdgeY(const SimplePlate& p, int terms = 200001);

// Largest support reaction along the edge x = 0 (searched over the edge;
// for long plates it lies away from the middle).
double LevyLargestReactionEdgeX(const SimplePlate& p);

}  // namespace platecoef
