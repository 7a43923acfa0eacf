// Design loads of the three cases, moments and shears, and the shear check.
#pragma once

#include "engine/Coefficients.h"
#include "engine/SlabData.h"

namespace korvexa {

// Moments and shears of case k (0 or 1) from the uniform set c0 and, for a
// varying part, c1.  u is the load unit factor.
void ComputeCaseForces(SlabData& slab, int k, const CoefficientSet& c0, const CoefficientSet& c1, double u);

// Allowable shear stress of the concrete, N/mm².
double AllowableShearStress(double fc, int concrete);

// Allowable shears and shear ratios of direction dir for the loaded cases.
void CheckShear(SlabData& slab, int dir, double fs);

}  // namespace korvexa
