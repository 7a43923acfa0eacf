// The copy of one page for the clipboard, as a picture to paste into a
// report: the page's title and blocks without the page number, cut to
// them, in two forms in one QMimeData: a vector picture ("image/svg+xml")
// and a bitmap at the screen's resolution ("image/png"), both at the true
// size of the screen (zoom 1).
//
// The picture is as wide as the blocks plus 4 px, with the indent on the
// page that carries the title (page 1 when the title is printed), and
// reaches 2 px below the last block.
#pragma once

#include <memory>

#include "print/Pagination.h"

class QMimeData;

namespace korvexa::print {

struct PrinterInfomation;

std::unique_ptr<QMimeData> CopyOfPage(const PrinterInfomation& printer, const PageContent& content,
                                      const Pagination& pages, int page, double ppi);

}  // namespace korvexa::print
