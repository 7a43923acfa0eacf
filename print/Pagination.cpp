#include "print/Pagination.h"

#include "engine/SlabData.h"
#include "print/PrinterInfomation.h"
#include "print/SlabBlock.h"
#include "print/SummaryTable.h"

namespace korvexa::print {

DataSetSource::DataSetSource(const datafile::DataSet& data, QString fileName)
    : data_(data), fileName_(std::move(fileName))
{
    bars_.SetGrades(data.grades);
}

std::vector<int> CalculatedSlabs(const PrintSource& source)
{
    std::vector<int> list;
    for (int i = 1; i <= source.SlabCount(); ++i)
        if (source.Slab(i).Calculated)
            list.push_back(i);
    return list;
}

std::vector<int> DesignedAmong(const PrintSource& source, const std::vector<int>& wanted)
{
    std::vector<int> list;
    for (int i : wanted)
        if (i >= 1 && i <= source.SlabCount() && source.Slab(i).Calculated)
            list.push_back(i);
    return list;
}

int TitleHeight(const PageTitle& title, const PrinterInfomation& info)
{
    if (!title.Printed())
        return 0;
    return static_cast<int>(title.Lines.size() * info.TitlePitch + info.ParagraphGap);
}

Pagination Paginate(std::vector<int> printList, const PageContent& content, const PrinterInfomation& info)
{
    Pagination pages;
    pages.PrintList = std::move(printList);
    int title = TitleHeight(content.Title, info);
    if (content.Summary && !pages.PrintList.empty()) {
        AddSummaryPages(pages, content.Slabs, info, title);
        title = 0;
    }
    double used = title;
    int count = 0;
    int first = 0;
    for (int q = 0; q < static_cast<int>(pages.PrintList.size()); ++q) {
        const int height = static_cast<int>(BlockLineCount(content.Slabs.Slab(pages.PrintList[q])) * info.BodyPitch);
        // A block that ends exactly at the bottom margin stays on the page.
        if (used + height > info.UsableHeight) {
            // A page closes only when something is on it: blocks, or the title.
            if (count > 0 || (pages.PageIndex.size() == 1 && title > 0))
                pages.PageIndex.push_back({count, first});
            count = 0;
            first = q;
            used = 0;
        }
        // The gap after a block is counted with it, as DrawPage puts it
        // before the next one, also after a page break.
        used = static_cast<int>(used + height + info.ParagraphGap);
        ++count;
    }
    if (count > 0)
        pages.PageIndex.push_back({count, first});
    pages.PageCount = static_cast<int>(pages.PageIndex.size()) - 1;
    return pages;
}

}  // namespace korvexa::print
