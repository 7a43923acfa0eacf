// The printed summary of the slabs (スラブ一覧表): one line per printed
// slab with its largest check ratios, deflection, required thickness, fv
// and verdict; an NG slab in bold with a second line giving its reasons;
// after the last slab the count ("計 42 枚、NG 3 枚").  It comes before
// the sheets, on pages of its own drawn by the same page drawing (title on
// page 1, page numbers, margins, body font of the layout); the table spans
// the text width between the left margin and its mirror on the right.
//
// The pagination adds the summary pages first (PageIndexMember::Summary),
// each listing Count slabs of the print list from First:
//   AddSummaryPages(pages, source, info, titleHeight);
//   DrawSummaryPage(canvas, info, source, pages, p, top);
#pragma once

#include "print/Pagination.h"

class QPainter;

namespace korvexa::print {

struct PrinterInfomation;

// The lines of one slab in the table: 1, or 2 for an NG slab (its reasons).
int SummaryLineCount(const SlabData& slab, const BarData& bars);

// Appends the summary pages of pages.PrintList to pages.PageIndex; page 1
// starts below a title of `titleHeight`.
void AddSummaryPages(Pagination& pages, const PrintSource& source, const PrinterInfomation& info, int titleHeight);

// Draws the summary page p of `pages` from `top` (below the title on page
// 1); returns the y below its last line.  Leaves the body font set.
double DrawSummaryPage(QPainter& canvas, const PrinterInfomation& info, const PrintSource& source,
                       const Pagination& pages, int p, double top);

}  // namespace korvexa::print
