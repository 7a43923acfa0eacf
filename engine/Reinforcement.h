// Reinforcement of the four design positions: bar depths, pitches, allowable
// moments, the minimum steel check and the bar arrangement texts.
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
// Writes into Message the positions whose steel, both faces together, is
// below 0.2 % of the section ("短辺端部、長辺中央").
void CheckMinimumSteel(SlabData& slab, const BarData& bars);

// The arrangement texts of a designed slab, [dir][pos][layer]: "D10･D13
// @200", empty for a face without bars; all empty for a slab that is not
// designed.  They follow from the bars, the pitches, the sign of the
// moments and the compression-side modes of the record, so they are made
// when a sheet shows them and not by every design.
TextGrid BarTexts(const SlabData& slab);

}  // namespace korvexa
