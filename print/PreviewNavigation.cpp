#include "print/PreviewNavigation.h"

#include <Qt>
#include <algorithm>

namespace korvexa::print {

int ClampedPage(int page, int pageCount) { return std::clamp(page, 1, std::max(1, pageCount)); }

int MovedPage(PageMove move, int page, int pageCount)
{
    switch (move) {
    case PageMove::First: return 1;
    case PageMove::Previous: return ClampedPage(page >= 2 ? page - 1 : page, pageCount);
    case PageMove::Next: return ClampedPage(page < pageCount ? page + 1 : page, pageCount);
    case PageMove::Last: return ClampedPage(pageCount, pageCount);
    }
    return ClampedPage(page, pageCount);
}

PageButtons EnabledPageButtons(int page, int pageCount)
{
    const bool back = page > 1;
    const bool on = page < pageCount;
    return {back, back, on, on};
}

std::optional<PageMove> PageKeyMove(int key)
{
    switch (key) {
    case Qt::Key_PageDown:
    case Qt::Key_Space: return PageMove::Next;
    case Qt::Key_PageUp: return PageMove::Previous;
    case Qt::Key_Home: return PageMove::First;
    case Qt::Key_End: return PageMove::Last;
    default: return std::nullopt;
    }
}

QString TotalPageText(int pageCount)
{
    return QStringLiteral("Total　") + QString::number(pageCount) + QStringLiteral(" page");
}

}  // namespace korvexa::print
