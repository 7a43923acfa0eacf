// Pages and print runs: one page drawn (page number, title, blocks), and
// the pages, copies and jobs of a run from what the print dialog chose.
//
// DrawPage draws on any painter from any layout record: the printer's, or
// a copy scaled for the screen.  A run on the printer:
//
//   PrintPlan plan = PlanPrint(choice, offeredPages, pages.PageCount, makesCopies, isPdf);
//   QString error = PrintPlanned(device, info, content, pages, plan);
#pragma once

#include <QString>
#include <vector>

#include "print/Pagination.h"
#include "printer/PrinterDevice.h"

class QPainter;

namespace korvexa::print {

struct PrinterInfomation;

// The number printed on page p: FirstPageNo − 1 + p (p itself without page
// numbers, for the parity of the margins).
int PrintedPageNumber(const PageTitle& title, int page);

// Draws page p (1-based) with the printed number n and returns the y below
// its last block, rounded up.  Sets info.CurrentLeftX (mirrored on even n
// when ChangeEvenSideMargin is on) and info.BlockTop.  The page number is
// drawn when FirstPageNo > 0 and pageNumbersOff is false, at the left on
// even p when ChangeEvenHeaderPos is on; the title on page 1.
int DrawPage(QPainter& canvas, PrinterInfomation& info, const PageContent& content, const Pagination& pages, int p,
             int n, bool pageNumbersOff);

// What one print run prints.
struct PrintPlan {
    std::vector<int> pages;          // the pages of one job, in order
    int jobs = 1;                    // one per collated copy
    bool driverCopiesToOne = false;  // set the printer's own copy count to 1 first
    bool operator==(const PrintPlan&) const = default;
};

// The run for the dialog's choice, made when the document had
// `offeredPages` pages and has `pageCount` now (the dialog may have changed
// the paper): all pages stay all pages, a range is held within the new
// count.  Collated copies are one job each, with the printer's own copy
// count set to 1 where it makes copies; uncollated copies are the
// printer's where it can make them, else each page is printed as many
// times in a row.  A PDF printer writes one file: its collated copies are
// one job with the range repeated.  In reverse order each copy runs from
// the last page of the range to the first.
PrintPlan PlanPrint(const printer::PrintChoice& choice, int offeredPages, int pageCount, bool printerMakesCopies,
                    bool singleFile);

// Every page once: the run of a PDF without a dialog.
PrintPlan AllPages(int pageCount);

// Runs the plan's jobs on the printer; the empty text, or what went wrong
// (the jobs after a failed one are not started).
QString PrintPlanned(printer::PrinterDevice& device, PrinterInfomation& info, const PageContent& content,
                     const Pagination& pages, const PrintPlan& plan);

}  // namespace korvexa::print
