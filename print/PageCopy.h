// The copy of one page for the clipboard, as a picture to paste into a
// report: the page's title and blocks without the page number, cut to
// them, in two forms in one QMimeData, drawn alike at 300 dots an inch and
// of the page's true size: a vector picture ("image/svg+xml") that names
// the fonts its texts are drawn with here, and a bitmap ("image/png").
//
// The picture is as wide as the blocks plus 4 dots, with the indent on the
// page that carries the title (page 1 when the title is printed), and
// reaches 2 dots below the last block.
#pragma once

#include <memory>

#include "print/Pagination.h"

class QMimeData;

namespace korvexa::print {

struct PrinterInfomation;

std::unique_ptr<QMimeData> CopyOfPage(const PrinterInfomation& printer, const PageContent& content,
                                      const Pagination& pages, int page);

}  // namespace korvexa::print
