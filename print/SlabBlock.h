// The printed block of one designed slab: a heading line with the name and
// the edge condition, three lines of input data, the load table, the line
// of the deflection and vibration checks, and the stress table with the
// required steel, moments, shears and bars.
//
// The block is drawn in device pixels from a layout record, on any
// painter: the printer's page, the preview's image, a PDF.  Texts are
// placed by the top of their line (baseline = top + ascent), vertical
// positions are real numbers cut to whole pixels where something is
// placed, and rules are drawn without antialiasing.
//
//   info.CurrentLeftX = ...; info.BlockTop = ...;
//   double bottom = DrawSlabBlock(painter, slab, info, loadUnitFactor, bars);
#pragma once

class QPainter;

namespace korvexa {
struct SlabData;
class BarData;
}

namespace korvexa::print {

struct PrinterInfomation;

// The rows a block has besides its ten fixed lines: a load row for each
// load case with loads (the deflection case only with the deflection
// check on), two stress rows for the main and the snow case, and the check
// line when the deflection was computed for loads.
bool PrintsLoadRow(const SlabData& slab, int loadCase);
bool PrintsStressRows(const SlabData& slab, int loadCase);
bool PrintsCheckLine(const SlabData& slab);

// The number of lines of the slab's block; its height is this times
// BodyPitch, which is what the pagination counts.
int BlockLineCount(const SlabData& slab);
// The lines of the tallest block any slab can have: every load case loaded,
// the deflection checked.
int TallestBlockLineCount();

// Draws the block whose top is info.BlockTop and whose left edge is
// info.CurrentLeftX + info.IndentPx, in the body font, and returns the
// bottom of its frame (BlockTop + BlockLineCount × BodyPitch), where the
// gap to the next block starts.  Loads are in the unit of
// `loadUnitFactor` (1: N/m², 1000: kN/m²); the steel grades come from
// `bars`.  The painter is left with the body font and the thick pen.
double DrawSlabBlock(QPainter& canvas, const SlabData& slab, const PrinterInfomation& info, double loadUnitFactor,
                     const BarData& bars);

}  // namespace korvexa::print
