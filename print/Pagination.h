// Which slabs are printed and how their blocks fill the pages.
//
// A print run draws from a PrintSource: the slab list of the open data set
// (slabs numbered from 1), the load unit and the bar grades.  The print
// list holds slab numbers in print order; the pagination splits it into
// pages by the block heights, the title taking its room on page 1.
//
//   Pagination pages = Paginate(CalculatedSlabs(source), {source, title}, info);
//   pages.PageIndex[p]: Count blocks from pages.PrintList[First]
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "datafile/DataSet.h"
#include "engine/BarData.h"

namespace korvexa::print {

struct PrinterInfomation;

class PrintSource {
public:
    virtual ~PrintSource() = default;
    virtual int SlabCount() const = 0;
    virtual const SlabData& Slab(int index) const = 0;  // 1..SlabCount()
    virtual double LoadUnitFactor() const = 0;          // 1: N/m², 1000: kN/m²
    virtual const BarData& Bars() const = 0;
    // The data file's name; empty for data without a file.
    virtual QString FileName() const = 0;
};

// The slabs of a data set read from a file (slab i is slabs[i - 1]), with
// its settings and grades: what the command-line tool prints.
class DataSetSource : public PrintSource {
public:
    explicit DataSetSource(const datafile::DataSet& data, QString fileName = QString());
    int SlabCount() const override { return static_cast<int>(data_.slabs.size()); }
    const SlabData& Slab(int index) const override { return data_.slabs[static_cast<std::size_t>(index - 1)]; }
    double LoadUnitFactor() const override { return data_.settings.LoadUnitFactor; }
    const BarData& Bars() const override { return bars_; }
    QString FileName() const override { return fileName_; }

private:
    const datafile::DataSet& data_;
    BarData bars_;
    QString fileName_;
};

// The title of page 1 and the page numbers.
struct PageTitle {
    QStringList Lines;
    bool IsTitlePrint = true;
    int FirstPageNo = 0;  // 0: no page numbers
    bool Printed() const { return IsTitlePrint && !Lines.isEmpty(); }
};

// What the pages are made of besides the layout record.
struct PageContent {
    const PrintSource& Slabs;
    PageTitle Title;
    bool Summary = false;  // the summary table of the printed slabs first
};

// One page: Count blocks, the first at position First of the print list;
// on a summary page, Count lines of the summary table.
struct PageIndexMember {
    int Count = 0;
    int First = 0;
    bool Summary = false;
    bool operator==(const PageIndexMember&) const = default;
};

struct Pagination {
    std::vector<int> PrintList;                      // slab numbers in print order
    std::vector<PageIndexMember> PageIndex{{0, 0}};  // entry p is page p; entry 0 a placeholder
    int PageCount = 0;
};

// The numbers of the designed slabs, in list order.
std::vector<int> CalculatedSlabs(const PrintSource& source);
// The numbers of `wanted` that name designed slabs, in the order given.
std::vector<int> DesignedAmong(const PrintSource& source, const std::vector<int>& wanted);

// The height the title takes on page 1 with the gap below it; 0 when it is
// not printed.
int TitleHeight(const PageTitle& title, const PrinterInfomation& info);

// Splits the print list into pages of the usable height.  A block taller
// than a page gets a page of its own; page 1 holds at least the title or a
// block, never nothing.  With the summary, its pages come first (the
// title on page 1) and the blocks start on a page of their own.
Pagination Paginate(std::vector<int> printList, const PageContent& content, const PrinterInfomation& info);

}  // namespace korvexa::print
