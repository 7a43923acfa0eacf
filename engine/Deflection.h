// Deflection, required thickness and natural frequency (the deflection case).
#pragma once

#include "engine/Coefficients.h"
#include "engine/SlabData.h"

namespace korvexa {

// Young's modulus of the concrete, N/cm², from the unit weight (kN/m³) and
// the design strength (N/mm²).
double YoungModulus(double gamma, double fc);

// Sets the minimum thickness and clears the frequency before the cases run.
void PrepareDeflectionResults(SlabData& slab);

// The deflection case: δ, the span/deflection ratios, the required
// thickness and the natural frequency.
void DeflectionCase(SlabData& slab, const CoefficientSet& c0, const CoefficientSet& c1, double u);

// Smallest thickness in steps of 0.1 cm from TReq whose deflection, self
// weight of that thickness included, meets 16δ ≤ Lx/250.  delta1 is the
// deflection term before the thickness (cm³ scale, see DeflectionCase).
void ThicknessByDeflection(SlabData& slab, const CoefficientSet& c0, double ec, double delta1, double u);

}  // namespace korvexa
