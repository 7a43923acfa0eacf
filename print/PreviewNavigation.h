// Paging through the preview: where each page command goes, which of the
// four page buttons can act, and the keys that page.  Pages are 1-based.
#pragma once

#include <QString>
#include <optional>

namespace korvexa::print {

enum class PageMove { First, Previous, Next, Last };

// The page after `move` from `page` of `pageCount`; beyond the first or
// the last page nothing moves.  Always within 1..max(1, pageCount).
int MovedPage(PageMove move, int page, int pageCount);

// `page` held within 1..max(1, pageCount): after a pagination that made
// fewer pages.
int ClampedPage(int page, int pageCount);

// First and previous act above page 1, next and last below the last page.
struct PageButtons {
    bool first = false, previous = false, next = false, last = false;
    bool operator==(const PageButtons&) const = default;
};
PageButtons EnabledPageButtons(int page, int pageCount);

// Page Down and Space go forward, Page Up back, Home and End to the first
// and the last page, as in any document viewer; other keys do not page.
std::optional<PageMove> PageKeyMove(int key);

// "Total　3 page".
QString TotalPageText(int pageCount);

}  // namespace korvexa::print
