// Whether a print layout can hold the calculation sheet on the paper of
// the current printer: the slab block between the margins, the tallest
// block below the title on page 1 and on every other page, the title lines
// and the page number on the sheet.  The print settings are checked when
// they close, and before anything is printed, previewed or written as a
// PDF, so that a layout never yields a blank or cut page.
//
//   ComputeLayout(info, canvas);
//   QStringList problems = LayoutProblems(info, title, pages.PageCount, canvas);
//   if (!problems.isEmpty()) tell LayoutMessage(info, problems) and refuse.
#pragma once

#include <QString>
#include <QStringList>

class QPaintDevice;

namespace korvexa::print {

struct PrinterInfomation;
struct PageTitle;

// What does not fit and by how much, one sentence each, in millimetres;
// empty when everything fits.  `info` holds the metrics of ComputeLayout
// for the printer whose surface `canvas` measures the title and the page
// number; `pageCount` gives the largest page number printed.
QStringList LayoutProblems(const PrinterInfomation& info, const PageTitle& title, int pageCount,
                           const QPaintDevice* canvas);

// The problems for the user, headed by the paper they were checked for.
QString LayoutMessage(const PrinterInfomation& info, const QStringList& problems);

}  // namespace korvexa::print
