// Whole print runs of 120 slabs on a printer without unprintable strips,
// as the PDF printer is: on every page the lowest ink lies above the
// bottom margin, and every slab is printed once.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <functional>
#include <map>

#include "print/PrintDefaults.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using printer::DrawnPage;
using printer::FakePrinterDevice;

namespace {

// The designed slabs of the sample, over and over, named "N001 …" to "N120 …".
datafile::DataSet HundredTwentySlabs()
{
    datafile::DataSet data = SampleData();
    std::vector<SlabData> designed;
    for (const SlabData& slab : data.slabs)
        if (slab.Calculated)
            designed.push_back(slab);
    EXPECT_FALSE(designed.empty());
    data.slabs.clear();
    for (int i = 0; i < 120 && !designed.empty(); ++i) {
        SlabData slab = designed[static_cast<std::size_t>(i) % designed.size()];
        slab.Name = QStringLiteral("N%1 ").arg(i + 1, 3, 10, QLatin1Char('0')).toStdString() + slab.Name;
        data.slabs.push_back(slab);
    }
    return data;
}

// The lowest ink of a page: text to its descent, lines and frames to the
// edge of their pen (caps are flat).
double LowestInk(const DrawnPage& page, const QPaintDevice* canvas)
{
    double lowest = 0;
    for (const auto& t : page.texts)
        lowest = std::max(lowest, t.baseline.y() + QFontMetricsF(t.font, canvas).descent());
    for (const auto& l : page.lines)
        lowest = std::max(lowest, std::max(l.line.y1(), l.line.y2()) + (l.line.y1() == l.line.y2() ? l.penWidth / 2 : 0));
    for (const auto& r : page.rects)
        lowest = std::max(lowest, r.rect.bottom() + r.penWidth / 2);
    return lowest;
}

}  // namespace

TEST(PrintRun, EveryPageEndsAboveTheBottomMarginAndEverySlabIsPrintedOnce)
{
    const datafile::DataSet data = HundredTwentySlabs();
    const print::DataSetSource source(data);
    QStringList longTitle;
    for (int i = 1; i <= 12; ++i)
        longTitle << QStringLiteral("第%1行　スラブの設計").arg(i);
    struct Case {
        const char* what;
        std::function<void(datafile::PrintLayout&)> change;
    };
    const Case cases[] = {
        {"default layout", [](datafile::PrintLayout&) {}},
        {"10 pt body, 10 mm top margin", [](datafile::PrintLayout& l) { l.BodyFont.Size = 10; l.TopMargin = 10; }},
        {"mirrored margins", [](datafile::PrintLayout& l) { l.ChangeEvenSideMargin = l.ChangeEvenHeaderPos = true; l.FirstPageNo = 1; }},
        {"a long title", [&](datafile::PrintLayout& l) { l.Title = longTitle.join(QStringLiteral("\r\n")).toStdString(); }},
        {"first page 150", [](datafile::PrintLayout& l) { l.FirstPageNo = 150; }},
    };
    printer::FakeGeometry pdf;
    pdf.offset = {0, 0};
    pdf.page = pdf.paper;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        datafile::PrintLayout layout;
        c.change(layout);
        FakePrinterDevice printer(pdf);
        print::PrinterInfomation info;
        print::ApplyLayoutSettings(info, layout);
        print::ReadPrinterInfo(info, printer);
        print::ComputeLayout(info, printer.GetCanvas());
        print::PageTitle title;
        for (const std::string& line : print::TitleLines(layout.Title))
            title.Lines << QString::fromStdString(line);
        title.FirstPageNo = layout.FirstPageNo;
        const print::PageContent content{source, title};
        const print::Pagination pages = print::Paginate(print::CalculatedSlabs(source), content, info);
        ASSERT_TRUE(print::PrintPlanned(printer, info, content, pages, print::AllPages(pages.PageCount)).isEmpty());
        ASSERT_EQ(printer.pages.size(), pages.PageCount);

        const int bottomMargin = info.PageHeight - info.BottomInset;
        std::map<QString, int> printed;
        for (int p = 0; p < printer.pages.size(); ++p) {
            EXPECT_LE(LowestInk(printer.pages[p], printer.GetCanvas()), bottomMargin) << "page " << p + 1;
            for (const auto& t : printer.pages[p].texts)
                if (t.text.startsWith(QStringLiteral("　N")))
                    ++printed[t.text.mid(1, 4)];
        }
        EXPECT_EQ(printed.size(), 120u);
        for (const auto& [name, times] : printed)
            EXPECT_EQ(times, 1) << name.toStdString();
    }
}
