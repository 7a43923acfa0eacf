// The Qt printer through its PDF printer, which every machine has: its
// geometry, the file it writes, and what it reports when it cannot.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include "printer/PrinterSetupDialog.h"
#include "printer/QtPrinterDevice.h"

using namespace korvexa::printer;

TEST(QtPrinter, ThePdfPrinterIsA4PortraitWithoutUnprintableStrips)
{
    QtPrinterDevice printer(QStringLiteral("out.pdf"));
    EXPECT_TRUE(printer.IsPdfPrinter());
    EXPECT_EQ(printer.GetPrinterNames().last(), kPdfPrinterName);
    EXPECT_EQ(printer.GetDPI(), QSize(1200, 1200));
    // A4 as 595 x 842 points at 1200 dpi.
    EXPECT_EQ(printer.GetPaperExtent(), QSize(9917, 14033));
    EXPECT_EQ(printer.GetPageExtent(), printer.GetPaperExtent());
    EXPECT_EQ(printer.GetOffset(), QPoint(0, 0));
    EXPECT_EQ(printer.GetPaperSizeNames().value(printer.GetPaperSizeIndex()), QStringLiteral("A4"));
    EXPECT_EQ(OrientationText(printer.GetOrientation()), QStringLiteral("タテ"));
    EXPECT_EQ(printer.GetCanvas()->width(), 9917);
    EXPECT_EQ(printer.GetPrintCaps() & kPrinterMakesCopies, 0);
}

TEST(QtPrinter, WritesOnePdfPagePerPage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheets.pdf"));
    QtPrinterDevice printer(file);
    const QString error = RunPrintJob(printer, 3, [](QPainter& painter, int page) {
        painter.drawText(QPointF(1000, 1000), QString::number(page + 1));
    });
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 3);
}

TEST(QtPrinter, APdfFileThatCannotBeWrittenIsReported)
{
    struct Case {
        QString file;
        QString error;
    };
    const QString missing = QStringLiteral("/nonexistent-folder/sheets.pdf");
    for (const Case& c : {Case{missing, QStringLiteral("PDF ファイルに書き込めませんでした。\n") + missing},
                          Case{QString(), QStringLiteral("PDF ファイルの名前がありません。")}}) {
        QtPrinterDevice printer(c.file);
        int drawn = 0;
        EXPECT_EQ(RunPrintJob(printer, 2, [&](QPainter&, int) { ++drawn; }), c.error);
        EXPECT_EQ(drawn, 0);
        EXPECT_EQ(printer.Painter(), nullptr);
    }
}

TEST(QtPrinter, SetupDialogChoicesTakeEffectAndCancelPutsThemBack)
{
    QtPrinterDevice printer(QStringLiteral("out.pdf"));
    for (const bool ok : {false, true}) {
        PrinterSetupDialog dialog(printer);
        auto* paper = dialog.findChild<QComboBox*>(QStringLiteral("PaperBox"));
        const int a3 = static_cast<int>(printer.GetPaperSizeNames().indexOf(QStringLiteral("A3")));
        ASSERT_GE(a3, 0);
        paper->setCurrentIndex(a3);
        emit paper->activated(a3);
        dialog.findChild<QRadioButton*>(QStringLiteral("LandscapeButton"))->click();
        EXPECT_EQ(printer.GetPaperSizeIndex(), a3);
        EXPECT_GT(printer.GetPaperExtent().width(), printer.GetPaperExtent().height());
        ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(printer.GetPaperSizeNames().value(printer.GetPaperSizeIndex()),
                  ok ? QStringLiteral("A3") : QStringLiteral("A4"));
        EXPECT_EQ(printer.GetOrientation(), ok ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
}

TEST(DefaultPdfFileName, LiesBesideTheDataFile)
{
    EXPECT_EQ(DefaultPdfFileName(QStringLiteral("/data/floor 3.slab")), QStringLiteral("/data/floor 3.pdf"));
    EXPECT_EQ(DefaultPdfFileName(QStringLiteral("/data/a.b.slab")), QStringLiteral("/data/a.b.pdf"));
    EXPECT_TRUE(DefaultPdfFileName(QString()).endsWith(QStringLiteral("/Korvexa.pdf")));
}
