// The print preview driven as a user would, offscreen, on the recording
// printer: opening, zoom by mouse, wheel and keys around the pointer,
// paging by buttons and keys and its limits, page numbers,
// printing (also of a selection), the settings dialog closed with Esc, and
// the copy of a page on the clipboard.
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "components/NumberEdit.h"
#include "print/Pagination.h"
#include "print/PrintFonts.h"
#include "print/PreviewLayout.h"
#include "print/PreviewNavigation.h"
#include "print/Upreviewform.h"
#include "print/Uprintsetup.h"
#include "print/Uselectdialog.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using printer::FakePrinterDevice;
using printer::PrintChoice;

class PreviewFormTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    datafile::DataSet data_;
    std::unique_ptr<TPrintSetup> setup_;
    std::unique_ptr<TPreviewForm> preview_;
    FakePrinterDevice* printer_ = nullptr;
    QStringList warnings_;

    // `count` designed slabs "S0001".. of 15 printed lines, shown in a
    // preview of 1000 × 800: page 1 holds the title and 3 blocks, the
    // others 4.
    void Open(int count, int firstPageNo = 0)
    {
        data_ = FifteenLineSlabs(count);
        auto printer = std::make_unique<FakePrinterDevice>();
        printer_ = printer.get();
        setup_ = std::make_unique<TPrintSetup>(std::move(printer), dir_.filePath(QStringLiteral("#Korvexa#.ini")));
        setup_->SetPrintSource(std::make_unique<print::DataSetSource>(data_));
        setup_->Warn = [this](QWidget*, const QString& text) { warnings_ << text; };
        setup_->AskToFix = [](QWidget*, const QString&) { return false; };
        datafile::PrintLayout layout;
        layout.FirstPageNo = firstPageNo;
        setup_->ApplyLayout(layout);
        preview_ = std::make_unique<TPreviewForm>(*setup_);
        preview_->resize(1000, 800);
        preview_->show();
        preview_->activateWindow();  // for its keys
        QVERIFY(QTest::qWaitForWindowActive(preview_.get()));
    }

    template <typename T>
    T* Find(const char* name) const
    {
        T* child = preview_->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    void Click(const char* button) const { Find<QToolButton>(button)->click(); }
    int PageCount() const { return setup_->Pages.PageCount; }
    // The four page buttons' enabling: first, previous, next, last.
    QString Enabled() const
    {
        QString on;
        for (const char* name : {"TopPageButton", "BeforPageButton", "NextPageButton", "LastPageButton"})
            on += Find<QToolButton>(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return on;
    }

    // What the preview draws for the page shown, recorded.
    printer::DrawnPage Drawn()
    {
        FakePrinterDevice recorder;
        QPainter canvas(recorder.GetCanvas());
        preview_->PaintPage(canvas);
        canvas.end();
        return recorder.pages.value(0);
    }
    static QStringList Names(const printer::DrawnPage& page)
    {
        QStringList names;
        for (const auto& t : page.texts)
            if (t.text.startsWith(QStringLiteral("　S")))
                names << t.text.mid(1);
        return names;
    }
    static QStringList Numbers(const printer::DrawnPage& page)
    {
        QStringList numbers;
        for (const auto& t : page.texts)
            if (t.font.family() == QStringLiteral("Century"))
                numbers << t.text;
        return numbers;
    }

private slots:
    void initTestCase() { print::SubstituteFonts(); }
    void cleanup()
    {
        warnings_.clear();
        preview_.reset();
        setup_.reset();
    }

    void opensAtTheSmallestZoomAndZoomsByTheMouse()
    {
        Open(18);
        QCOMPARE(preview_->CurrentPage(), 1);
        QCOMPARE(Find<TNumberEdit>("PageNoEdit")->text(), QStringLiteral("1"));
        QCOMPARE(Text("TotalPage"), QStringLiteral("Total　5 page"));
        QCOMPARE(Find<QStatusBar>("StatusBar")->currentMessage(),
                 QStringLiteral("　マウスの左クリックで拡大、右クリックで縮小"));
        const std::vector<double> steps = preview_->ZoomSteps();
        QCOMPARE(static_cast<int>(steps.size()), 3);  // fit height, 1, fit width
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));

        // The sheet on grey: navy border, black shadow right and below.
        const QImage& image = preview_->PreviewImage();
        const QRect sheet = preview_->PaperRect();
        QVERIFY(sheet.contains(preview_->PreviewLayout().PrintableRect));
        QCOMPARE(image.pixelColor(sheet.topLeft()), QColor(Qt::white));
        QCOMPARE(image.pixelColor(sheet.topLeft() - QPoint(1, 1)), QColor(0, 0, 128));
        QCOMPARE(image.pixelColor(sheet.bottomRight() + QPoint(4, 4)), QColor(Qt::black));
        QCOMPARE(image.pixelColor(sheet.right() + 4, sheet.top() + 2), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(2, 2), QColor(128, 128, 128));

        auto* page = Find<QWidget>("Preview");
        QCOMPARE(page->cursor().shape(), Qt::BitmapCursor);
        QStringList shown{Text("ViewScale")};
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(page, Qt::LeftButton);
            shown << Text("ViewScale");
        }
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::RightButton}) {
            QTest::mouseClick(page, button);
            shown << Text("ViewScale");
        }
        const QString small = print::ViewScaleText(steps[0]), large = print::ViewScaleText(steps[2]);
        const QString one = QStringLiteral("表示倍率　100%");
        QCOMPARE(shown, (QStringList{small, one, large, large, one, small, small}));
        QCOMPARE(preview_->ZoomIndex(), 0);
        QCOMPARE(preview_->CurrentPage(), 1);
    }

    void pagesWithinTheDocumentByButtonsKeysAndTheBox()
    {
        Open(18);
        QCOMPARE(Enabled(), QStringLiteral("0011"));
        // The keys of a document viewer, on the page (the scroll area),
        // which has the focus as the preview opens.
        QCOMPARE(QApplication::focusWidget(), Find<QWidget>("ScrollBox"));
        const std::pair<Qt::Key, int> keys[] = {
            {Qt::Key_PageUp, 1},  // back from the first page: nothing
            {Qt::Key_PageDown, 2}, {Qt::Key_Space, 3}, {Qt::Key_End, 5}, {Qt::Key_PageDown, 5},
            {Qt::Key_PageUp, 4},   {Qt::Key_Home, 1},  {Qt::Key_Space, 2}};
        for (const auto& [key, page] : keys) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(preview_->CurrentPage(), page);
        }
        QCOMPARE(Enabled(), QStringLiteral("1111"));
        QCOMPARE(Names(Drawn()).first(), QStringLiteral("S0004"));
        Click("LastPageButton");
        QCOMPARE(preview_->CurrentPage(), 5);
        QCOMPARE(Enabled(), QStringLiteral("1100"));
        Click("BeforPageButton");
        QCOMPARE(Find<TNumberEdit>("PageNoEdit")->text(), QStringLiteral("4"));
        Click("TopPageButton");
        QCOMPARE(preview_->CurrentPage(), 1);

        // A typed page, held within the document, at Enter or when left.
        auto* box = Find<TNumberEdit>("PageNoEdit");
        box->setFocus();
        for (const auto& [typed, page] : {std::pair("99", 5), std::pair("0", 1), std::pair("3", 3)}) {
            box->selectAll();
            QTest::keyClicks(box, QString::fromLatin1(typed));
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(preview_->CurrentPage(), page);
            QCOMPARE(box->text(), QString::number(page));
        }
        QCOMPARE(Names(Drawn()).first(), QStringLiteral("S0008"));
    }

    // A zoom by click, by Ctrl with the wheel or by key keeps the point of
    // the sheet under the pointer (the keys: the middle of the view).
    void zoomKeepsThePointUnderThePointer()
    {
        Open(18);
        auto* area = Find<QScrollArea>("ScrollBox");
        QWidget* viewport = area->viewport();
        auto* page = Find<QWidget>("Preview");
        // The point of the sheet, as fractions of it, at a point of the view.
        const auto sheetAt = [&](QPointF inView) {
            const QRectF sheet = preview_->PaperRect();
            const QPointF p = page->mapFrom(viewport, inView) * page->devicePixelRatioF();
            return QPointF((p.x() - sheet.left()) / sheet.width(), (p.y() - sheet.top()) / sheet.height());
        };
        // Within 2 pixels, on each axis where the sheet is larger than the
        // view (where it is not, it stands in the middle).
        const auto near = [&](QPointF a, QPointF b) {
            const QSizeF sheet = preview_->PaperRect().size();
            return (std::abs(a.x() - b.x()) * sheet.width() <= 2 || area->horizontalScrollBar()->maximum() == 0) &&
                   (std::abs(a.y() - b.y()) * sheet.height() <= 2 || area->verticalScrollBar()->maximum() == 0);
        };

        const QPoint pointer = viewport->rect().center() + QPoint(150, 120);
        QPointF before = sheetAt(pointer);
        QTest::mouseClick(page, Qt::LeftButton, {}, page->mapFrom(viewport, pointer));
        QCOMPARE(preview_->ZoomIndex(), 1);
        QVERIFY2(near(sheetAt(pointer), before), "click");
        QVERIFY(area->verticalScrollBar()->value() > 0);  // it scrolled to keep it there

        const QPoint lower = viewport->rect().center() + QPoint(-80, 200);
        before = sheetAt(lower);
        QWheelEvent wheel(lower, viewport->mapToGlobal(lower), {}, QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QCOMPARE(preview_->ZoomIndex(), 2);
        QVERIFY2(near(sheetAt(lower), before), "wheel");

        const QPointF middle = QRectF(viewport->rect()).center();
        before = sheetAt(middle);
        area->setFocus();
        QTest::keyClick(area, Qt::Key_Minus);
        QCOMPARE(preview_->ZoomIndex(), 1);
        QVERIFY2(near(sheetAt(middle), before), "minus");
        QTest::keyClick(area, Qt::Key_Plus);
        QCOMPARE(preview_->ZoomIndex(), 2);
        QTest::keyClick(area, Qt::Key_Plus);  // the largest already
        QCOMPARE(preview_->ZoomIndex(), 2);
        QCOMPARE(Text("ViewScale"), print::ViewScaleText(preview_->ZoomSteps()[2]));
        QCOMPARE(preview_->CurrentPage(), 1);

        // Ctrl+P prints from the preview.
        printer_->printAnswer = PrintChoice{1, 1, 1, false};
        QTest::keyClick(area, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(printer_->endDocs, 1);
    }

    void pageNumbersFromTheFirstNumber_data()
    {
        QTest::addColumn<int>("firstPageNo");
        QTest::addColumn<QStringList>("numbers");  // on pages 1 and 2
        QTest::newRow("0: none") << 0 << QStringList{};
        QTest::newRow("5") << 5 << QStringList{QStringLiteral("5"), QStringLiteral("6")};
    }
    void pageNumbersFromTheFirstNumber()
    {
        QFETCH(int, firstPageNo);
        Open(5, firstPageNo);
        QStringList numbers = Numbers(Drawn());
        Click("NextPageButton");
        numbers += Numbers(Drawn());
        QTEST(numbers, "numbers");
    }

    void printingFromPage5OnAPaperOfFewerPagesThenPrevious()
    {
        Open(18);
        Click("LastPageButton");
        QCOMPARE(preview_->CurrentPage(), 5);
        const int a4Height = preview_->PreviewLayout().PaperHeight;
        printer_->duringPrintDialog = [](FakePrinterDevice& p) {  // A3 in the dialog
            p.geometry.paper = {7016, 9921};
            p.geometry.page = p.geometry.paper - QSize(2 * 149, 2 * 99);
            p.printAnswer = PrintChoice{1, p.printDialogPageCount, 1, false};
        };
        Click("PrintButton");
        QCOMPARE(printer_->endDocs, 1);
        QCOMPARE(PageCount(), 4);
        QCOMPARE(preview_->CurrentPage(), 4);
        QCOMPARE(Text("TotalPage"), QStringLiteral("Total　4 page"));
        QVERIFY(preview_->PreviewLayout().PaperHeight > a4Height);  // the sheet is A3 now
        Click("BeforPageButton");
        QCOMPARE(preview_->CurrentPage(), 3);
        QCOMPARE(Names(Drawn()).size(), 5);
        QCOMPARE(Enabled(), QStringLiteral("1111"));
    }

    void aSelectionIsPreviewedAndPrintedFromThePreview()
    {
        Open(18);
        preview_->hide();
        TSelectDialog select(*setup_);
        int pages = 0;
        QStringList printed;
        select.ShowPreview = [&](QWidget*) {
            preview_->show();
            pages = PageCount();
            printer_->printAnswer = PrintChoice{1, 1, 1, false};
            Click("PrintButton");
            for (const auto& page : printer_->pages)
                printed += Names(page);
            preview_->hide();
        };
        select.show();
        auto* list = select.findChild<QListWidget*>(QStringLiteral("CheckListBox"));
        for (int row : {16, 1})
            list->item(row)->setCheckState(Qt::Checked);
        select.findChild<QPushButton*>(QStringLiteral("PreviewButton"))->click();
        QCOMPARE(pages, 1);
        QCOMPARE(printed, (QStringList{QStringLiteral("S0002"), QStringLiteral("S0017")}));
        QVERIFY(!setup_->SelectMode);
    }

    void theSettingsDialogRepaginatesHoweverItIsClosed()
    {
        Open(18);
        Click("NextPageButton");
        QFont large = setup_->PrinterInfo().BodyFont;
        large.setPointSize(10);
        setup_->ChooseFont = [large](QWidget*, const QFont&) { return std::optional<QFont>(large); };
        QTimer::singleShot(0, setup_.get(), [this] {
            setup_->findChild<QToolButton*>(QStringLiteral("BodyFontButton"))->click();
            QTest::keyClick(setup_.get(), Qt::Key_Escape);
        });
        Click("SettingButton");
        QVERIFY(!setup_->isVisible());
        QVERIFY(PageCount() > 5);  // three blocks a page instead of four
        QCOMPARE(Text("TotalPage"), print::TotalPageText(PageCount()));
        QCOMPARE(preview_->CurrentPage(), 1);
        QCOMPARE(preview_->PreviewLayout().BodyFontHeight,
                 static_cast<int>(std::lround(preview_->ZoomSteps()[0] * print::ScreenFontHeight(large, 96))));
    }

    // Never a cut page: a layout the paper cannot hold is told and not shown.
    void aLayoutThePaperCannotHoldIsNotPreviewed()
    {
        Open(5);
        QFont wide = setup_->PrinterInfo().BodyFont;
        wide.setPointSize(11);
        setup_->ChooseFont = [wide](QWidget*, const QFont&) { return std::optional<QFont>(wide); };
        QTimer::singleShot(0, setup_.get(), [this] {
            setup_->findChild<QToolButton*>(QStringLiteral("BodyFontButton"))->click();
            setup_->close();  // and not mended
        });
        Click("SettingButton");
        QVERIFY(!preview_->isVisible());
        QCOMPARE(warnings_.size(), 1);
        QVERIFY(warnings_[0].contains(QStringLiteral("表が右に")));
        QVERIFY(warnings_[0].endsWith(TPrintSetup::kPreviewRefused));

        QCOMPARE(preview_->exec(), int(QDialog::Rejected));  // returns at once
        QCOMPARE(warnings_.size(), 2);
    }

    void theClipboardHoldsThePageAsSvgAndPng()
    {
        Open(5, 5);
        QSize sizes[2];
        for (int page = 0; page < 2; ++page) {
            Click("MetaFileButton");
            const QMimeData* copy = QGuiApplication::clipboard()->mimeData();
            QVERIFY(copy);
            QCOMPARE(copy->formats(), (QStringList{QStringLiteral("image/svg+xml"), QStringLiteral("image/png")}));
            const QImage png = QImage::fromData(copy->data(QStringLiteral("image/png")), "PNG");
            const QByteArray svgText = copy->data(QStringLiteral("image/svg+xml"));
            QSvgRenderer svg(svgText);
            QVERIFY(svg.isValid());
            // The same picture in both, at 300 dpi.
            QCOMPARE(png.dotsPerMeterX(), 11811);
            QCOMPARE(svg.viewBox().size(), png.size());
            // Its texts name the fonts they are drawn with: installed ones.
            QVERIFY(!svgText.contains("Century"));  // no page number
            QVERIFY(!svgText.contains("ＭＳ"));
            QVERIFY(svgText.contains("font-family=\"IPAPMincho\""));
            // The last block's frame just above the bottom.
            int lowestInk = png.height() - 1;
            while (lowestInk > 0 && png.pixelColor(png.width() / 2, lowestInk) == Qt::white)
                --lowestInk;
            QVERIFY2(lowestInk >= png.height() - 12 && lowestInk < png.height() - 1, qPrintable(QString::number(lowestInk)));
            sizes[page] = png.size();
            // KORVEXA_KEEP_COPY=/tmp/copy keeps page 1 as copy.svg and copy.png, for a look.
            for (const QString& format : {QStringLiteral("svg"), QStringLiteral("png")}) {
                QFile kept(qEnvironmentVariable("KORVEXA_KEEP_COPY") + QLatin1Char('.') + format);
                if (page == 0 && qEnvironmentVariableIsSet("KORVEXA_KEEP_COPY") && kept.open(QIODevice::WriteOnly))
                    kept.write(copy->data(format == QLatin1String("svg") ? QStringLiteral("image/svg+xml") : QStringLiteral("image/png")));
            }
            Click("NextPageButton");
        }
        // The title page is wider by the indent.
        const print::PrinterInfomation fine = print::ScaleLayout(setup_->PrinterInfo(), 1, 300, nullptr);
        QCOMPARE(sizes[1].width(), fine.TableWidth + 4);
        QCOMPARE(sizes[0].width(), fine.TableWidth + fine.IndentPx + 4);
    }
};

QTEST_MAIN(PreviewFormTest)
#include "preview_form_test.moc"
