// Reinforcement of the four design positions: bar depths, pitches, allowable
// moments, bar arrangement texts and the minimum steel check.
#pragma once

#include "engine/BarData.h"
#include "engine/SlabData.h"

namespace korvexa {

// Concrete face to the centroid of the tension bars, cm, [dir][pos].
DirPos<double> TensionBarDepths(const SlabData& slab, const BarData& bars);
void ComputeDt(SlabData& slab, const BarData& bars);

// Bars that are designed at a position: simply supported spans use the
// centre bars at both positions.
inline int DesignedBarPosition(const SlabData& slab, int pos) { return IsSimplySupportedSpan(slab.Bind) ? 1 : pos; }

// Largest pitch the design may choose for a direction, mm (the long
// direction is also held to 3t).
int PitchUpperLimit(const SlabData& slab, const CommonSettings& settings, int dir);

void ChoosePitch(SlabData& slab, const CommonSettings& settings, const BarData& bars, int dir, int pos);
void SnapPitches(SlabData& slab, int dir);
void AllowableMoments(SlabData& slab, int dir);
void DescribeBars(SlabData& slab, const BarData& bars);

}  // namespace korvexa
