// The page layout record on the recording printer: what ReadPrinterInfo
// takes from the printer and every figure ComputeLayout derives.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "print/PrinterInfomation.h"
#include "printer/FakePrinterDevice.h"

using korvexa::print::PrinterInfomation;
using korvexa::printer::FakeGeometry;
using korvexa::printer::FakePrinterDevice;

namespace {

// The built-in settings read from a printer, laid out.
PrinterInfomation LaidOut(FakePrinterDevice& printer, const korvexa::datafile::PrintLayout& layout = {})
{
    PrinterInfomation info;
    korvexa::print::ApplyLayoutSettings(info, layout);
    korvexa::print::ReadPrinterInfo(info, printer);
    korvexa::print::ComputeLayout(info, printer.GetCanvas());
    return info;
}

}  // namespace

TEST(ReadPrinterInfo, RaisesMarginsToTheUnprintableStripsInWholeMillimetres)
{
    struct Case {
        QPoint offset;  // px at 600 dpi; the strips right and bottom are as wide
        int margin;     // every margin set to this, in mm
        int minX, minY; // the strips in whole mm
        int left, top;  // the margins afterwards
    };
    const Case cases[] = {
        {{149, 99}, 5, 6, 4, 6, 5},    // 6.31 mm -> 6, 4.19 mm -> 4
        {{154, 99}, 5, 7, 4, 7, 5},    // 6.52 mm -> 7
        {{149, 130}, 3, 6, 6, 6, 6},   // 5.50 mm -> 6
        {{0, 0}, 0, 0, 0, 0, 0},
        {{149, 99}, 20, 6, 4, 20, 20}, // margins above the strips stay
    };
    for (const Case& c : cases) {
        FakeGeometry g;
        g.offset = c.offset;
        g.page = g.paper - QSize(2 * c.offset.x(), 2 * c.offset.y());
        FakePrinterDevice printer(g);
        korvexa::datafile::PrintLayout layout;
        layout.LeftMargin = layout.TopMargin = layout.BottomMargin = layout.HeaderTopMargin =
            layout.HeaderSideMargin = c.margin;
        PrinterInfomation info;
        korvexa::print::ApplyLayoutSettings(info, layout);
        korvexa::print::ReadPrinterInfo(info, printer);
        SCOPED_TRACE(c.offset.x());
        EXPECT_EQ(info.RightUnprintable, c.offset.x());
        EXPECT_EQ(info.BottomUnprintable, c.offset.y());
        EXPECT_EQ(info.MinLeftMargin, c.minX);
        EXPECT_EQ(info.MinSideMargin, c.minX);
        EXPECT_EQ(info.MinTopMargin, c.minY);
        EXPECT_EQ(info.MinBottomMargin, c.minY);
        EXPECT_EQ(info.LeftMargin, c.left);
        EXPECT_EQ(info.HeaderSideMargin, c.left);
        EXPECT_EQ(info.TopMargin, c.top);
        EXPECT_EQ(info.HeaderTopMargin, c.top);
        EXPECT_EQ(info.BottomMargin, c.top);
    }
}

TEST(ReadPrinterInfo, NamesPrinterPaperAndOrientation)
{
    FakePrinterDevice printer;
    PrinterInfomation info;
    korvexa::print::ReadPrinterInfo(info, printer);
    EXPECT_EQ(info.PrinterName, QStringLiteral("Laser A4"));
    EXPECT_EQ(info.PaperName, QStringLiteral("A4"));
    EXPECT_EQ(info.OrientationText, QStringLiteral("タテ"));

    printer.SetOrientation(QPageLayout::Landscape);
    printer.geometry.paperNamesAvailable = false;
    korvexa::print::ReadPrinterInfo(info, printer);
    EXPECT_EQ(info.OrientationText, QStringLiteral("ヨコ"));
    EXPECT_EQ(info.PaperName, QString());
    EXPECT_EQ(info.PaperWidth, 7016);
    EXPECT_EQ(info.OffsetX, 99);
}

TEST(ComputeLayout, DerivesEveryMetricInDevicePixels)
{
    struct Case {
        QSize dpi, paper;
        QPoint offset;
        int leftX, topY, bottomInset, usableHeight, headerSide, pageNoY, pageNoLeftX, pageNoRightX, indent;
        double paragraphGap, lineGap;
        int bodyHeight, titleHeight, headerHeight, thinPen, thickPen;
    };
    const Case cases[] = {
        // 20 mm = 472 px - 149; 15 mm = 354 - 99; 5 mm = 118 - 99; 6818 - 255 - 99 - 19;
        // 9, 11, 12 pt = 75, 91.7, 100 px; 0.3 and 0.7 pt = 2.5 and 5.8 px.
        {{600, 600}, {4960, 7016}, {149, 99}, 323, 255, 19, 6445, 354, 43, 205, 4457, 236, 71, 25, -75, -92, -100, 3, 6},
        // Across and down at their own resolutions: 15 mm = 177 px - 50; 3 pt = 12.5 px.
        {{600, 300}, {4960, 3508}, {149, 50}, 323, 127, 9, 3222, 354, 21, 205, 4457, 236, 35, 13, -38, -46, -50, 3, 6},
    };
    for (const Case& c : cases) {
        FakeGeometry g;
        g.dpi = c.dpi;
        g.paper = c.paper;
        g.offset = c.offset;
        g.page = c.paper - QSize(2 * c.offset.x(), 2 * c.offset.y());
        FakePrinterDevice printer(g);
        const PrinterInfomation info = LaidOut(printer);
        SCOPED_TRACE(c.dpi.width());
        EXPECT_EQ(info.LeftX, c.leftX);
        EXPECT_EQ(info.OddLeftX, c.leftX);
        EXPECT_EQ(info.TopY, c.topY);
        EXPECT_EQ(info.BottomInset, c.bottomInset);
        EXPECT_EQ(info.UsableHeight, c.usableHeight);
        EXPECT_EQ(info.HeaderSide, c.headerSide);
        EXPECT_EQ(info.PageNoY, c.pageNoY);
        EXPECT_EQ(info.PageNoLeftX, c.pageNoLeftX);
        EXPECT_EQ(info.PageNoRightX, c.pageNoRightX);
        EXPECT_EQ(info.IndentPx, c.indent);
        EXPECT_EQ(info.ParagraphGap, c.paragraphGap);
        EXPECT_EQ(info.LineGap, c.lineGap);
        EXPECT_EQ(info.BodyFontHeight, c.bodyHeight);
        EXPECT_EQ(info.TitleFontHeight, c.titleHeight);
        EXPECT_EQ(info.HeaderFontHeight, c.headerHeight);
        EXPECT_EQ(info.BodyPitch, -c.bodyHeight + c.lineGap);
        EXPECT_EQ(info.TitlePitch, -c.titleHeight + c.lineGap);
        EXPECT_EQ(info.ThinPen, c.thinPen);
        EXPECT_EQ(info.ThickPen, c.thickPen);
        // Even pages mirror the block about the printable area.
        EXPECT_GT(info.TableWidth, 0);
        EXPECT_EQ(info.PageWidth - (info.EvenLeftX + info.IndentPx + info.TableWidth), info.LeftX + info.IndentPx);
    }
}

TEST(ComputeLayout, KeepsPositionsWithinThePrintableArea)
{
    // Margins at the printer's minimums: 6 mm and 4 mm lie a fraction of a
    // millimetre inside the strips of 6.3 and 4.2 mm.
    FakePrinterDevice printer;
    korvexa::datafile::PrintLayout layout;
    layout.LeftMargin = layout.HeaderSideMargin = 6;
    layout.TopMargin = layout.HeaderTopMargin = layout.BottomMargin = 4;
    layout.BodyFont.Size = 60;  // a block wider than the page
    const PrinterInfomation info = LaidOut(printer, layout);
    EXPECT_EQ(info.LeftMargin, 6);  // the settings stay as set
    EXPECT_EQ(info.LeftX, 0);
    EXPECT_EQ(info.TopY, 0);
    EXPECT_EQ(info.PageNoY, 0);
    EXPECT_EQ(info.BottomInset, 0);
    EXPECT_EQ(info.PageNoLeftX, 0);
    EXPECT_EQ(info.PageNoRightX, info.PageWidth);
    EXPECT_EQ(info.EvenLeftX, 0);
    EXPECT_EQ(info.UsableHeight, info.PageHeight - info.OffsetY);
}

TEST(MeasureBlockColumns, DividesTheBlockIntoItsColumns)
{
    FakePrinterDevice printer;
    const PrinterInfomation info = LaidOut(printer);
    const QFontMetricsF metrics(korvexa::print::SizedFont(info.BodyFont, info.BodyFontHeight), printer.GetCanvas());
    const int labels = info.CaseLabelWidth + info.QuantityLabelWidth;
    EXPECT_GE(labels, metrics.horizontalAdvance(QStringLiteral("　必要at cm2　(dt cm)　")));
    EXPECT_EQ(info.TableWidth, labels + info.ValueAreaWidth);
    EXPECT_EQ(info.ValueAreaWidth % 6, 0);
    EXPECT_EQ(info.ValueColumnWidth, info.ValueAreaWidth / 4);
    EXPECT_GE(info.TableWidth,
              metrics.horizontalAdvance(QStringLiteral("　Lx=99.99m,　Ly=99.99m,　λ=99.99　　　応力割増 9.99倍　たわみ割増 9.99倍　")));
    const double pointLoad = metrics.horizontalAdvance(QStringLiteral(" 先端集中荷重 "));
    EXPECT_GE(info.PointLoadColumnWidth, pointLoad);
    EXPECT_LT(info.PointLoadColumnWidth, pointLoad + 6);
    EXPECT_EQ((info.ValueAreaWidth - info.PointLoadColumnWidth) % 5, 0);
}
