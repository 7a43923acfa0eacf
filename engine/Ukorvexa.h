// The design engine: the whole design of one slab and the operations on a
// record that the user interface calls.
//
// Every function takes the design-wide settings and the bar table it works
// with; the overloads without them use the program's own instances, which
// the settings dialog and the data file change.
#pragma once

#include "engine/BarData.h"
#include "engine/Coefficients.h"
#include "engine/SlabData.h"

namespace korvexa {

// Design status codes returned by DesignSlab.
enum DesignStatus : int {
    DesignOk = 0,
    DesignIncomplete = 1,     // spans missing, or inputs that cannot be designed
    DesignSpansSwapped = 2,   // Lx > Ly for a two-way slab
    DesignLambdaTooLarge = 3  // λ above the limit of the coefficient table
};

CommonSettings& ProgramSettings();
BarData& ProgramBars();

// Runs the whole design.  On success every result field is written,
// Calculated is set and LoadUnit is the settings' LoadUnitFactor, the unit
// the design read the loads in.  On any other code Calculated is false, Lambda and
// LambdaMax hold what the span check reached and no other field changes.
int DesignSlab(SlabData& slab, const CommonSettings& settings, const BarData& bars);
int DesignSlab(SlabData& slab);

// The load derivation step alone (self weight, snow, totals of the cases).
void DeriveLoads(SlabData& slab, const CommonSettings& settings);
void DeriveLoads(SlabData& slab);

// Brings the load numbers of a record into the current load unit and
// redesigns it when it was designed.
void ConvertLoadUnit(SlabData& slab, const CommonSettings& settings, const BarData& bars);
void ConvertLoadUnit(SlabData& slab);

// "読込み": the calculated pitches become the entered ones.
void TakeCalculatedPitches(SlabData& slab);
// "算　定": clears the entered pitches (and the bars too when clearBars).
void ClearPitches(SlabData& slab, bool clearBars);

// Whether case k (0..2) carries any load and so is designed.
inline bool CaseHasLoad(const SlabData& slab, int k) { return slab.TL[k] != 0 || slab.P[k] != 0; }

}  // namespace korvexa
