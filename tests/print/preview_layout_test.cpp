// The preview's sheet on the screen: zoom steps for window sizes, the
// printer's record scaled for the screen, the sheet's place in the image,
// and the paging rules.
#include <gtest/gtest.h>

#include "print/PreviewLayout.h"
#include "print/PreviewNavigation.h"
#include "print/PrinterInfomation.h"
#include "printer/FakePrinterDevice.h"

using namespace korvexa;
using print::PageMove;
using print::PrinterInfomation;

namespace {

// The built-in settings on the recording printer (A4 at 600 dpi), laid out.
PrinterInfomation A4Layout(int bodyPoints = 9)
{
    printer::FakePrinterDevice printer;
    datafile::PrintLayout layout;
    layout.BodyFont.Size = bodyPoints;
    PrinterInfomation info;
    print::ApplyLayoutSettings(info, layout);
    print::ReadPrinterInfo(info, printer);
    print::ComputeLayout(info, printer.GetCanvas());
    return info;
}

}  // namespace

TEST(ComputeZoomSteps, FitHeightOneAndFitWidthCutToTheBodyFont)
{
    // At 96 ppi the sheet is 793.6 × 1122.56 px at zoom 1; a 9 pt body font
    // is 12 px high, 12 pt 16 px.
    struct Case {
        const char* what;
        QSize viewport;
        int scrollBar;
        int bodyPoints;
        std::vector<double> steps;
    };
    const Case cases[] = {
        {"three steps", {1000, 700}, 0, 9, {7.0 / 12, 1, 15.0 / 12}},
        {"a 12 pt body cuts to sixteenths", {1000, 700}, 0, 12, {9.0 / 16, 1, 20.0 / 16}},
        {"fit width leaves room for the vertical bar", {1000, 700}, 15, 9, {7.0 / 12, 1, 14.0 / 12}},
        {"both fits near 1.0: 100 % and 150 %", {820, 1130}, 15, 9, {1, 1.5}},
        {"fit width rounds like fit height", {700, 1000}, 15, 9, {10.0 / 12, 1}},
        {"a window too small to fit anything", {8, 8}, 15, 9, {1, 1.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<double> steps =
            print::ComputeZoomSteps(A4Layout(c.bodyPoints), c.viewport, 96, c.scrollBar);
        ASSERT_EQ(steps.size(), c.steps.size());
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_DOUBLE_EQ(steps[i], c.steps[i]) << i;
    }
    EXPECT_EQ(print::ViewScaleText(7.0 / 12), QStringLiteral("表示倍率　58%"));
    EXPECT_EQ(print::ViewScaleText(0.995), QStringLiteral("表示倍率　100%"));  // half up
}

TEST(ScaleLayout, ThePrintersPageOnTheScreenFromTheSheetsCorner)
{
    const PrinterInfomation printer = A4Layout();
    // 96 / 600 = 0.16 screen px a printer px at zoom 1.
    const PrinterInfomation s = print::ScaleLayout(printer, 1, 96, nullptr);
    EXPECT_EQ(s.PaperWidth, 794);   // 793.6
    EXPECT_EQ(s.PaperHeight, 1123);  // 1122.56
    // The printable area from the unprintable strips (149 and 99 px).
    EXPECT_EQ(s.PrintableRect, QRect(QPoint(24, 16), QPoint(769, 1106)));
    // 15 mm and 20 mm from the sheet's top and left edges, at 96 ppi.
    EXPECT_EQ(s.TopY, 57);
    EXPECT_EQ(s.OddLeftX, 76);
    EXPECT_EQ(s.IndentPx, 38);  // 236 px of 10 mm
    EXPECT_EQ(s.PageNoRightX, 737);  // 15 mm from the right edge
    EXPECT_DOUBLE_EQ(s.LineGap, 4);
    EXPECT_EQ(s.BodyFontHeight, -12);
    EXPECT_EQ(s.TitleFontHeight, -15);  // 11 pt
    EXPECT_DOUBLE_EQ(s.BodyPitch, 16);
    EXPECT_EQ(s.ThinPen, 0);  // a 1-pixel line
    EXPECT_EQ(s.ThickPen, 1);
    // The columns are measured afresh for the screen's font.
    EXPECT_NEAR(s.TableWidth, printer.TableWidth * 0.16, printer.TableWidth * 0.16 * 0.05);

    // Font heights: the zoom times the screen's, half away from zero.
    EXPECT_EQ(print::ScaleLayout(printer, 0.625, 96, nullptr).BodyFontHeight, -8);  // -7.5
    EXPECT_EQ(print::ScaleLayout(printer, 7.0 / 12, 96, nullptr).BodyFontHeight, -7);
    // Twice the pixels on a screen of twice the density.
    EXPECT_EQ(print::ScaleLayout(printer, 1, 192, nullptr).PaperWidth, 1587);
}

TEST(PlacePaper, CentredInALargerViewportElseFromTheCorner)
{
    struct Case {
        const char* what;
        QSize paper, viewport;
        double ratio;
        QSize image;
        QPoint sheet;
    };
    // Border 1 and shadow 5 take 7 px besides the sheet; the bars 15 px.
    const Case cases[] = {
        {"smaller both ways", {529, 748}, {1000, 800}, 1, {1000, 800}, {233, 23}},
        {"larger both ways", {1200, 1500}, {1000, 800}, 1, {1207, 1507}, {1, 1}},
        {"taller: centred beside the vertical bar", {900, 1500}, {1000, 800}, 1, {985, 1507}, {40, 1}},
        {"the vertical bar makes it wider too", {990, 1500}, {1000, 800}, 1, {997, 1507}, {1, 1}},
        {"border and shadow at twice the density", {529, 748}, {1000, 800}, 2, {1000, 800}, {230, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const print::PaperPlace place = print::PlacePaper(c.paper, c.viewport, 15, c.ratio);
        EXPECT_EQ(place.image, c.image);
        EXPECT_EQ(place.sheet, QRect(c.sheet, c.paper));
    }
}

TEST(PreviewNavigation, PagesWithinTheDocument)
{
    struct Case {
        PageMove move;
        int page, count, after;
    };
    const Case cases[] = {
        {PageMove::First, 4, 5, 1},    {PageMove::Previous, 1, 5, 1}, {PageMove::Previous, 3, 5, 2},
        {PageMove::Next, 5, 5, 5},     {PageMove::Next, 2, 5, 3},     {PageMove::Last, 1, 5, 5},
        {PageMove::Previous, 5, 3, 3},  // a page beyond a shrunk document comes back into it
        {PageMove::Last, 1, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(print::MovedPage(c.move, c.page, c.count), c.after) << c.page << " of " << c.count;

    using Buttons = print::PageButtons;
    EXPECT_EQ(print::EnabledPageButtons(1, 1), (Buttons{false, false, false, false}));
    EXPECT_EQ(print::EnabledPageButtons(1, 3), (Buttons{false, false, true, true}));
    EXPECT_EQ(print::EnabledPageButtons(2, 3), (Buttons{true, true, true, true}));
    EXPECT_EQ(print::EnabledPageButtons(3, 3), (Buttons{true, true, false, false}));

    // Page Down goes forward, as in a document viewer.
    EXPECT_EQ(print::PageKeyMove(Qt::Key_PageDown), PageMove::Next);
    EXPECT_EQ(print::PageKeyMove(Qt::Key_PageUp), PageMove::Previous);
    EXPECT_FALSE(print::PageKeyMove(Qt::Key_Up));
    EXPECT_EQ(print::TotalPageText(3), QStringLiteral("Total　3 page"));
}
