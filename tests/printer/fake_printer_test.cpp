// The recording printer: its geometry as a paint device, and what a job
// leaves in its record.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "printer/FakePrinterDevice.h"

using namespace korvexa::printer;

namespace {

QFont TestFont()
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(75);
    return font;
}

}  // namespace

TEST(FakePrinter, IsA600DpiA4Printer)
{
    FakePrinterDevice printer;
    const QPaintDevice* canvas = printer.GetCanvas();
    EXPECT_EQ(canvas->width(), 4662);
    EXPECT_EQ(canvas->height(), 6818);
    EXPECT_EQ(canvas->logicalDpiX(), 600);
    EXPECT_EQ(canvas->logicalDpiY(), 600);
    EXPECT_EQ(printer.GetPaperExtent(), QSize(4960, 7016));
    EXPECT_EQ(printer.GetOffset(), QPoint(149, 99));
    EXPECT_EQ(printer.GetPaperSizeNames().value(printer.GetPaperSizeIndex()), QStringLiteral("A4"));
    EXPECT_FALSE(printer.IsPdfPrinter());
    printer.SelectPrinter(1);
    EXPECT_TRUE(printer.IsPdfPrinter());
}

TEST(FakePrinter, RecordsAJobPageByPage)
{
    FakePrinterDevice printer;
    const QString text = QStringLiteral("　Lx=3.00m,　λ=1.33　応力割増 1.00倍");
    const QString error = RunPrintJob(printer, 2, [&](QPainter& painter, int page) {
        painter.setFont(TestFont());
        painter.drawText(QPointF(100, 200 + page), text);
        painter.setPen(QPen(Qt::black, 6));
        painter.drawLine(10, 20, 300, 20);
        painter.save();
        painter.translate(5, 7);
        painter.drawRect(QRect(0, 0, 40, 30));
        painter.restore();  // the painter and its state last from page to page
    });
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(printer.beginDocs, 1);
    EXPECT_EQ(printer.newPages, 1);
    EXPECT_EQ(printer.endDocs, 1);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("Korvexa"));
    EXPECT_EQ(printer.jobs[0].pageCount, 2);
    EXPECT_TRUE(printer.jobs[0].ended);
    ASSERT_EQ(printer.pages.size(), 2);

    // The pieces Qt splits the string into by script come back as one text.
    const DrawnPage& page = printer.pages[1];
    ASSERT_EQ(page.texts.size(), 1);
    EXPECT_EQ(page.texts[0].text, text);
    EXPECT_EQ(page.texts[0].baseline, QPointF(100, 201));
    EXPECT_NEAR(page.texts[0].width, QFontMetricsF(TestFont(), printer.GetCanvas()).horizontalAdvance(text), 0.01);
    EXPECT_GT(page.texts[0].ascent, 0);
    ASSERT_EQ(page.lines.size(), 1);
    EXPECT_EQ(page.lines[0].line, QLineF(10, 20, 300, 20));
    EXPECT_EQ(page.lines[0].penWidth, 6);
    ASSERT_EQ(page.rects.size(), 1);
    EXPECT_EQ(page.rects[0].rect, QRectF(5, 7, 40, 30));  // through the painter's translation
}

TEST(FakePrinter, TextsInAnotherFontOrPlaceStayApart)
{
    FakePrinterDevice printer;
    {
        QPainter painter(printer.GetCanvas());
        QFont font = TestFont();
        painter.setFont(font);
        painter.drawText(QPointF(0, 100), QStringLiteral("N/m"));
        const qreal end = QFontMetricsF(font, printer.GetCanvas()).horizontalAdvance(QStringLiteral("N/m"));
        font.setPixelSize(60);
        painter.setFont(font);
        painter.drawText(QPointF(end, 100), QStringLiteral("2"));  // the exponent
        painter.drawText(QPointF(end + 200, 100), QStringLiteral("x"));
    }
    ASSERT_EQ(printer.pages.size(), 1);  // one painter outside a job: one page
    ASSERT_EQ(printer.pages[0].texts.size(), 3);
    EXPECT_EQ(printer.pages[0].texts[1].font.pixelSize(), 60);
}

TEST(FakePrinter, APrinterThatCannotBeOpenedIsReportedAndDrawsNothing)
{
    FakePrinterDevice printer;
    printer.refuseBegin = true;
    bool drew = false;
    const QString error = RunPrintJob(printer, 3, [&](QPainter&, int) { drew = true; });
    EXPECT_EQ(error, QStringLiteral("プリンタ「Laser A4」で印刷を開始できませんでした。"));
    EXPECT_FALSE(drew);
    EXPECT_TRUE(printer.pages.isEmpty());
    EXPECT_EQ(printer.endDocs, 0);
}
