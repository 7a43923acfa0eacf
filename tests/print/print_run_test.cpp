// The print command of the print settings dialog and the print selection
// dialog, on the recording printer: page ranges, copies, a paper changed in
// the print dialog, a refused job, 1,200 slabs selected, and the summary
// table of a selection.
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "print/Pagination.h"
#include "print/PrintFonts.h"
#include "print/Uprintsetup.h"
#include "print/Uselectdialog.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using printer::FakePrinterDevice;
using printer::PrintChoice;

class PrintRunTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    datafile::DataSet data_;
    std::unique_ptr<TPrintSetup> setup_;
    FakePrinterDevice* printer_ = nullptr;
    QStringList errors_;

    // `count` designed slabs "S0001".. of 15 printed lines; pages numbered from 1.
    void Create(int count, bool makesCopies = true)
    {
        data_ = FifteenLineSlabs(count);
        printer::FakeGeometry geometry;
        geometry.makesCopies = makesCopies;
        auto printer = std::make_unique<FakePrinterDevice>(geometry);
        printer_ = printer.get();
        setup_ = std::make_unique<TPrintSetup>(std::move(printer), dir_.filePath(QStringLiteral("#Korvexa#.ini")));
        setup_->ShowError = [this](QWidget*, const QString& text) { errors_ << text; };
        setup_->SetPrintSource(std::make_unique<print::DataSetSource>(data_));
        datafile::PrintLayout layout;
        layout.FirstPageNo = 1;
        setup_->ApplyLayout(layout);
    }

    // The dialog's answer: all pages, or what `choose` makes of the page count.
    void Answer(std::function<PrintChoice(int pageCount)> choose)
    {
        printer_->duringPrintDialog = [choose](FakePrinterDevice& p) { p.printAnswer = choose(p.printDialogPageCount); };
    }

    // The slab names and the page number of each printed page.
    QStringList Names(int page) const
    {
        QStringList names;
        for (const auto& t : printer_->pages[page].texts)
            if (t.text.startsWith(QStringLiteral("　S")))
                names << t.text.mid(1);
        return names;
    }
    QString Number(int page) const
    {
        for (const auto& t : printer_->pages[page].texts)
            if (t.font.family() == QStringLiteral("Century"))
                return t.text;
        return QString();
    }
    QStringList Numbers() const
    {
        QStringList numbers;
        for (int page = 0; page < printer_->pages.size(); ++page)
            numbers << Number(page);
        return numbers;
    }

private slots:
    void initTestCase() { print::SubstituteFonts(); }
    void init() { errors_.clear(); }
    void cleanup() { setup_.reset(); }

    void printsTheChosenRangeWithItsNumbers()
    {
        Create(30);
        Answer([](int) { return PrintChoice{3, 4, 1, false}; });
        QVERIFY(setup_->PrintPages(nullptr));
        QVERIFY(printer_->printDialogPageCount >= 5);
        QCOMPARE(printer_->beginDocs, 1);
        QCOMPARE(printer_->newPages, 1);
        QCOMPARE(printer_->endDocs, 1);
        QCOMPARE(Numbers(), (QStringList{QStringLiteral("3"), QStringLiteral("4")}));
        const print::PageIndexMember third = setup_->Pages.PageIndex[3];
        QCOMPARE(Names(0).size(), third.Count);
        QCOMPARE(Names(0).first(), QStringLiteral("S%1").arg(third.First + 1, 4, 10, QLatin1Char('0')));
        QVERIFY(errors_.isEmpty());
    }

    void copiesAreJobsPagesOrTheDriversCount_data()
    {
        QTest::addColumn<bool>("makesCopies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QStringList>("numbers");  // of every page printed
        const QStringList once{QStringLiteral("1"), QStringLiteral("2")};
        QTest::newRow("collated, the printer makes copies") << true << true << 2 << once + once;
        QTest::newRow("collated, without copies") << false << true << 2 << once + once;
        QTest::newRow("uncollated, the printer's copies") << true << false << 1 << once;
        QTest::newRow("uncollated, without copies: each page twice")
            << false << false << 1
            << QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2")};
    }
    void copiesAreJobsPagesOrTheDriversCount()
    {
        QFETCH(bool, makesCopies);
        QFETCH(bool, collate);
        Create(7, makesCopies);  // two pages
        Answer([collate](int pages) { return PrintChoice{1, pages, 2, collate}; });
        QVERIFY(setup_->PrintPages(nullptr));
        QCOMPARE(printer_->printDialogPageCount, 2);
        QTEST(static_cast<int>(printer_->jobs.size()), "jobs");
        QTEST(printer_->beginDocs, "jobs");
        QTEST(printer_->endDocs, "jobs");
        QTEST(Numbers(), "numbers");
        QCOMPARE(printer_->settingsApplied, collate && makesCopies ? 1 : 0);
    }

    void aPaperChangedInTheDialogIsPrintedWhole()
    {
        // Chosen on A4; the dialog turns to A3, which holds more per page.
        for (const bool all : {true, false}) {
            Create(30);
            setup_->Paginate();
            const int a4Pages = setup_->Pages.PageCount;
            printer_->duringPrintDialog = [all](FakePrinterDevice& p) {
                p.geometry.paper = {7016, 9921};
                p.geometry.page = p.geometry.paper - QSize(2 * 149, 2 * 99);
                const int last = p.printDialogPageCount;
                p.printAnswer = all ? PrintChoice{1, last, 1, false} : PrintChoice{last, last, 1, false};
            };
            QVERIFY(setup_->PrintPages(nullptr));
            const int a3Pages = setup_->Pages.PageCount;
            QVERIFY(a3Pages < a4Pages);
            QStringList names;
            for (int page = 0; page < printer_->pages.size(); ++page) {
                QVERIFY(!Names(page).isEmpty());
                names += Names(page);
            }
            if (all) {
                QCOMPARE(static_cast<int>(printer_->pages.size()), a3Pages);
                QCOMPARE(names.size(), 30);
            } else {
                QCOMPARE(Numbers(), QStringList{QString::number(a3Pages)});
                QCOMPARE(names.last(), QStringLiteral("S0030"));
            }
        }
    }

    void aRefusedOrCancelledJobPrintsNothing()
    {
        Create(3);
        QVERIFY(!setup_->PrintPages(nullptr));  // cancelled
        QCOMPARE(printer_->beginDocs, 0);
        QVERIFY(errors_.isEmpty());
        printer_->refuseBegin = true;
        Answer([](int pages) { return PrintChoice{1, pages, 2, true}; });
        QVERIFY(!setup_->PrintPages(nullptr));
        QCOMPARE(printer_->beginDocs, 1);  // no second copy after the refusal
        QCOMPARE(errors_, QStringList{QStringLiteral("プリンタ「Laser A4」で印刷を開始できませんでした。")});
    }

    void aLayoutThePaperCannotHoldIsNotPrinted()
    {
        // Too wide before the dialog; fits, then a paper too small chosen in it.
        for (const bool beforeTheDialog : {true, false}) {
            Create(3);
            QStringList warnings;
            setup_->Warn = [&warnings](QWidget*, const QString& text) { warnings << text; };
            datafile::PrintLayout layout;
            layout.BodyFont.Size = beforeTheDialog ? 11 : 9;
            setup_->ApplyLayout(layout);
            printer_->duringPrintDialog = [](FakePrinterDevice& p) {
                p.geometry.paper = {2480, 1748};  // A6, turned
                p.geometry.page = p.geometry.paper - QSize(2 * 149, 2 * 99);
                p.printAnswer = PrintChoice{1, 1, 1, false};
            };
            QVERIFY(!setup_->PrintPages(nullptr));
            QCOMPARE(printer_->printDialogs, beforeTheDialog ? 0 : 1);
            QCOMPARE(printer_->beginDocs, 0);
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings[0].contains(QStringLiteral("表が右に")), qPrintable(warnings[0]));
            QVERIFY(warnings[0].endsWith(TPrintSetup::kPrintRefused));
            QVERIFY(errors_.isEmpty());
        }
    }

    void theTickedSlabsArePrintedInListOrder()
    {
        Create(1200);
        data_.slabs[4].Calculated = false;
        TSelectDialog dialog(*setup_);
        QStringList told;
        dialog.Inform = [&told](QWidget*, const QString& text) { told << text; };
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("CheckListBox"));
        QCOMPARE(list->count(), 1199);
        QCOMPARE(list->item(1098)->text(), QStringLiteral("1100: S1100"));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("PreviewButton"))->isEnabled());

        Answer([](int pages) { return PrintChoice{1, pages, 1, false}; });
        dialog.findChild<QPushButton*>(QStringLiteral("SpeedButton1"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        QStringList names;
        for (int page = 0; page < printer_->pages.size(); ++page)
            names += Names(page);
        QCOMPARE(names.size(), 1199);
        QVERIFY(!names.contains(QStringLiteral("S0005")));
        QCOMPARE(names[1098], QStringLiteral("S1100"));
        QCOMPARE(names.last(), QStringLiteral("S1200"));
        QVERIFY(!setup_->SelectMode);

        // Two ticked above 999: those two.
        printer_->pages.clear();
        dialog.findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
        list->item(1198)->setCheckState(Qt::Checked);
        list->item(998)->setCheckState(Qt::Checked);
        dialog.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        QCOMPARE(Names(0), (QStringList{QStringLiteral("S1000"), QStringLiteral("S1200")}));

        const int dialogs = printer_->printDialogs;
        dialog.findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        QCOMPARE(told, QStringList{QStringLiteral("印刷するデータを選択して下さい")});
        QCOMPARE(printer_->printDialogs, dialogs);
    }

    // 一覧表を印刷する: the selection's summary comes first, its sheets follow.
    void theSummaryOfASelectionComesBeforeItsSheets()
    {
        Create(6);
        TSelectDialog dialog(*setup_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        datafile::PrintLayout layout = setup_->Layout();
        layout.IsSummaryPrint = true;
        setup_->ApplyLayout(layout);
        Answer([](int pages) { return PrintChoice{1, pages, 1, false}; });
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("CheckListBox"));
        list->item(1)->setCheckState(Qt::Checked);
        list->item(4)->setCheckState(Qt::Checked);
        dialog.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        QVERIFY(printer_->pages.size() >= 2);
        QStringList summary;
        for (const auto& t : printer_->pages[0].texts)
            summary << t.text;
        QVERIFY(summary.contains(QStringLiteral("　スラブ一覧表")));
        QVERIFY(summary.contains(QStringLiteral("S0002")) && summary.contains(QStringLiteral("S0005")));
        QVERIFY(!summary.contains(QStringLiteral("S0001")));
        QVERIFY(summary.contains(QStringLiteral("　計 2 枚、NG 0 枚")));
        QCOMPARE(Names(1), (QStringList{QStringLiteral("S0002"), QStringLiteral("S0005")}));
    }
};

QTEST_MAIN(PrintRunTest)
#include "print_run_test.moc"
