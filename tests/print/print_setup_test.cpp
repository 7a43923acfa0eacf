// The print settings dialog driven as a user would, on the recording
// printer: what it shows, the margin minimums, the fonts, the defaults in
// the settings file and the title's line count.
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "components/NumberEdit.h"
#include "print/PrintFonts.h"
#include "print/UpDown.h"
#include "print/Uprintsetup.h"
#include "printer/FakePrinterDevice.h"

using korvexa::printer::FakePrinterDevice;

class PrintSetupTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::unique_ptr<TPrintSetup> form_;
    FakePrinterDevice* printer_ = nullptr;
    QStringList errors_;
    QStringList asked_;        // whether to mend a layout that does not fit
    bool mendAnswer_ = false;
    std::optional<QFont> chosenFont_;

    QString IniPath() const { return dir_.filePath(QStringLiteral("#Korvexa#.ini")); }

    void Create(korvexa::printer::FakeGeometry geometry = {}, const QString& ini = QString())
    {
        auto printer = std::make_unique<FakePrinterDevice>(std::move(geometry));
        printer_ = printer.get();
        form_ = std::make_unique<TPrintSetup>(std::move(printer), ini.isEmpty() ? IniPath() : ini);
        form_->ShowError = [this](QWidget*, const QString& text) { errors_ << text; };
        form_->ChooseFont = [this](QWidget*, const QFont&) { return chosenFont_; };
        form_->AskToFix = [this](QWidget*, const QString& text) {
            asked_ << text;
            return mendAnswer_;
        };
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    template <typename T>
    T* Find(const char* name) const
    {
        T* child = form_->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    TNumberEdit* Box(const char* name) const { return Find<TNumberEdit>(name); }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    void Click(const char* button) const { Find<QAbstractButton>(button)->click(); }

    void Type(const char* box, const QString& text)
    {
        TNumberEdit* edit = Box(box);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
    }

    // Types without leaving the box, then clicks an arrow of its up-down.
    void TypeAndStep(const char* box, const QString& text, const char* upDown, int step)
    {
        Box(box)->setText(text);
        Find<TUpDown>(upDown)->findChild<QToolButton*>(step > 0 ? QStringLiteral("up") : QStringLiteral("down"))->click();
    }

private slots:
    void initTestCase() { korvexa::print::SubstituteFonts(); }

    void init()
    {
        QFile::remove(IniPath());
        errors_.clear();
        asked_.clear();
        mendAnswer_ = false;
        chosenFont_.reset();
    }

    void cleanup() { form_.reset(); }

    void showsTheBuiltInSettingsWithoutASettingsFile()
    {
        Create();
        QCOMPARE(Text("TitleFontName"), QStringLiteral("ＭＳ Ｐゴシック　11pt"));
        QCOMPARE(Text("BodyFontName"), QStringLiteral("ＭＳ Ｐ明朝　9pt"));
        QCOMPARE(Text("HeaderFontName"), QStringLiteral("Century　12pt"));
        const std::pair<const char*, const char*> boxes[] = {
            {"MLeft", "20"}, {"MTop", "15"}, {"MBottom", "5"}, {"Indent", "10"},
            {"ParagraphSpace", "3"}, {"PgNoTop", "6"}, {"PgNoSide", "15"}, {"FirstPgNo", "0"},
        };
        for (const auto& [box, text] : boxes)
            QCOMPARE(Box(box)->text(), QString::fromUtf8(text));
        QVERIFY(Find<QCheckBox>("IsTitlePrint")->isChecked());
        QCOMPARE(Find<QPlainTextEdit>("TitleEdit")->toPlainText(), QStringLiteral("§５　二次部材の設計\n\n５.１ スラブの設計"));
        QCOMPARE(form_->TitleLines().size(), 3);
        QCOMPARE(Text("SelectPrinter"), QStringLiteral("プリンタ： Laser A4"));
        QCOMPARE(Text("PaperInfo"), QStringLiteral("用紙： A4   タテ"));
        // Fonts missing on this machine are drawn with their stand-ins.
        QVERIFY(QFontInfo(form_->PrinterInfo().HeaderFont).family().startsWith(QStringLiteral("C059")));
        QCOMPARE(QFontInfo(form_->PrinterInfo().BodyFont).family(), QStringLiteral("IPAPMincho"));
    }

    void marginsBelowThePrinterMinimumAreRaised()
    {
        korvexa::printer::FakeGeometry g;
        g.offset = {154, 99};  // 6.5 mm: 7 mm at the least
        g.page = g.paper - QSize(2 * 154, 2 * 99);
        Create(g);
        Type("MLeft", QStringLiteral("3"));
        QCOMPARE(Box("MLeft")->text(), QStringLiteral("7"));
        QCOMPARE(form_->PrinterInfo().LeftMargin, 7);
        Type("MTop", QStringLiteral("5.2"));  // whole millimetres, rounded up
        QCOMPARE(form_->PrinterInfo().TopMargin, 6);
        TypeAndStep("PgNoSide", QStringLiteral("2"), "PgNoSideUpDown", -1);
        QCOMPARE(form_->PrinterInfo().HeaderSideMargin, 7);
        TypeAndStep("Indent", QStringLiteral("12"), "IndentUpDown", 1);
        QCOMPARE(form_->PrinterInfo().Indent, 13);
        TypeAndStep("FirstPgNo", QStringLiteral("100"), "FirstPgNoUpDown", 1);
        QCOMPARE(form_->FirstPageNo(), 101);
        Type("FirstPgNo", QStringLiteral("123456"));
        QCOMPARE(form_->FirstPageNo(), 99999);
        Type("Indent", QStringLiteral("500"));
        QCOMPARE(form_->PrinterInfo().Indent, 300);
    }

    // A file's values above what may be typed are shown and kept as they
    // are, through entering and leaving the boxes, an arrow and OK.
    void aFilesValuesAreKeptAsTheyAre()
    {
        Create();
        korvexa::datafile::PrintLayout file;
        file.FirstPageNo = 150;
        file.Indent = 400;
        form_->ApplyLayout(file);
        for (const char* box : {"FirstPgNo", "Indent"}) {
            Box(box)->setFocus();
            QTRY_VERIFY(Box(box)->hasFocus());
            QTest::keyClick(Box(box), Qt::Key_Tab);
        }
        QCOMPARE(Box("FirstPgNo")->text(), QStringLiteral("150"));
        QCOMPARE(Box("Indent")->text(), QStringLiteral("400"));
        form_->done(QDialog::Accepted);
        QCOMPARE(form_->Layout(), file);
        QCOMPARE(asked_.size(), 1);  // 400 mm of indent leaves no room for the table
        TypeAndStep("FirstPgNo", QStringLiteral("150"), "FirstPgNoUpDown", 1);
        QCOMPARE(form_->FirstPageNo(), 151);
    }

    // The font dialog offers the stand-in of a font missing here: taken
    // unchanged, the stored name stays; another font renames it.
    void theFontDialogKeepsTheNameUnlessAnotherFontIsChosen()
    {
        Create();
        const QFont stored = form_->PrinterInfo().TitleFont;
        QFont standIn(QFontInfo(stored).family());
        standIn.setPointSize(11);
        chosenFont_ = standIn;
        Click("TitleFontButton");
        QCOMPARE(Text("TitleFontName"), QStringLiteral("ＭＳ Ｐゴシック　11pt"));
        standIn.setPointSize(12);
        chosenFont_ = standIn;
        Click("TitleFontButton");
        QCOMPARE(form_->Layout().TitleFont, (korvexa::datafile::FontSetting{"ＭＳ Ｐゴシック", 12, ""}));
        chosenFont_ = QFont(QStringLiteral("IPAexGothic"), 12);
        Click("TitleFontButton");
        QCOMPARE(Text("TitleFontName"), QStringLiteral("IPAexGothic　12pt"));
    }

    // OK with a layout the paper cannot hold says what does not fit and
    // offers to stay open.
    void okOffersToMendALayoutThatDoesNotFit()
    {
        Create();
        chosenFont_ = QFont(QStringLiteral("IPAPMincho"), 11);
        Click("BodyFontButton");
        mendAnswer_ = true;
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QCOMPARE(asked_.size(), 1);
        QVERIFY2(asked_[0].contains(QStringLiteral("表が右に")), qPrintable(asked_[0]));
        QVERIFY(form_->isVisible());
        mendAnswer_ = false;
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QCOMPARE(asked_.size(), 2);
        QVERIFY(!form_->isVisible());
        QCOMPARE(form_->result(), int(QDialog::Accepted));
        QCOMPARE(form_->Layout().BodyFont.Size, 11);
    }

    void registeredDefaultsComeBackAfterARestart()
    {
        Create();
        Type("MLeft", QStringLiteral("25"));
        Type("FirstPgNo", QStringLiteral("2"));
        Click("MarginChange");
        Click("IsTitlePrint");
        Find<QPlainTextEdit>("TitleEdit")->setPlainText(QStringLiteral("第５章\n\n５.１ スラブ\n"));
        QFont bold(QStringLiteral("IPAexGothic"));
        bold.setPointSizeF(10.5);
        bold.setBold(true);
        bold.setUnderline(true);
        chosenFont_ = bold;
        Click("TitleFontButton");
        QCOMPARE(Text("TitleFontName"), QStringLiteral("IPAexGothic　11pt"));
        QVERIFY(Find<QLabel>("TitleFontName")->font().bold());
        Click("DefSetButton");
        QVERIFY(errors_.isEmpty());
        const korvexa::datafile::PrintLayout registered = form_->Layout();

        Create();
        korvexa::datafile::PrintLayout expected = registered;
        expected.TitleFont.Style = "";  // bold and underlined is stored as regular
        QCOMPARE(form_->Layout(), expected);
        QCOMPARE(form_->Layout().TitleFont, (korvexa::datafile::FontSetting{"IPAexGothic", 11, ""}));
        QCOMPARE(form_->TitleLines(), (QStringList{QStringLiteral("第５章"), QString(), QStringLiteral("５.１ スラブ")}));
        QVERIFY(Find<QCheckBox>("MarginChange")->isChecked());
        QVERIFY(!Find<QCheckBox>("IsTitlePrint")->isChecked());
        QCOMPARE(Box("FirstPgNo")->text(), QStringLiteral("2"));
    }

    void loadingDefaultsPutsTheRegisteredSetBack()
    {
        Create();
        Type("ParagraphSpace", QStringLiteral("9"));
        Click("HeaderPosChange");
        Find<QPlainTextEdit>("TitleEdit")->clear();
        Click("DefReadButton");
        QCOMPARE(form_->Layout(), korvexa::datafile::PrintLayout{});
        QCOMPARE(Box("ParagraphSpace")->text(), QStringLiteral("3"));
        QVERIFY(!Find<QCheckBox>("HeaderPosChange")->isChecked());
    }

    void aTitleKeepsItsLineCountThroughSaveAndOpen()
    {
        Create();
        auto* memo = Find<QPlainTextEdit>("TitleEdit");
        const std::pair<QString, int> titles[] = {
            {QStringLiteral("A\nB\n"), 2}, {QStringLiteral("A\n\n"), 2}, {QStringLiteral("A"), 1}, {QString(), 0}};
        for (const auto& [text, lines] : titles) {
            memo->setPlainText(text);
            for (int round = 0; round < 3; ++round)
                form_->ApplyLayout(form_->Layout());
            QCOMPARE(form_->TitleLines().size(), lines);
        }
    }

    void thePrinterButtonReadsTheChosenPrinter()
    {
        Create();
        Type("MLeft", QStringLiteral("6"));
        printer_->setupAnswer = [](FakePrinterDevice&) { return false; };
        Click("PrinterButton");
        QCOMPARE(Text("SelectPrinter"), QStringLiteral("プリンタ： Laser A4"));
        printer_->setupAnswer = [](FakePrinterDevice& p) {
            p.SelectPrinter(1);
            p.geometry.offset = {154, 99};
            p.geometry.page = p.geometry.paper - QSize(2 * 154, 2 * 99);
            p.SetOrientation(QPageLayout::Landscape);
            return true;
        };
        Click("PrinterButton");
        QCOMPARE(Text("SelectPrinter"), QStringLiteral("プリンタ： PDFファイル"));
        QCOMPARE(Text("PaperInfo"), QStringLiteral("用紙： A4   ヨコ"));
        // Turned, the wide strip is at the top: 6.5 mm raises the page number's 6 mm.
        QCOMPARE(Box("PgNoTop")->text(), QStringLiteral("7"));
        QCOMPARE(form_->PrinterInfo().HeaderTopMargin, 7);
        QCOMPARE(Box("MLeft")->text(), QStringLiteral("6"));
        QCOMPARE(form_->PrinterInfo().MinLeftMargin, 4);
    }

    void closingComputesTheLayout()
    {
        Create();
        Type("MLeft", QStringLiteral("30"));
        QTest::keyClick(form_.get(), Qt::Key_Escape);  // no cancel: every close is OK
        QCOMPARE(form_->result(), int(QDialog::Accepted));
        QCOMPARE(form_->PrinterInfo().LeftX, 709 - 149);  // 30 mm at 600 dpi less the strip
    }

    void aPrinterThatCannotBeOpenedIsReported()
    {
        Create();
        int drawn = 0;
        QVERIFY(form_->PrintJob(2, [&](QPainter&, int) { ++drawn; }));
        QCOMPARE(drawn, 2);
        QVERIFY(errors_.isEmpty());
        printer_->refuseBegin = true;
        QVERIFY(!form_->PrintJob(2, [&](QPainter&, int) { ++drawn; }));
        QCOMPARE(drawn, 2);
        QCOMPARE(errors_, QStringList{QStringLiteral("プリンタ「Laser A4」で印刷を開始できませんでした。")});
    }

    void aSettingsFileThatCannotBeWrittenIsReported()
    {
        const QString ini = dir_.filePath(QStringLiteral("missing/#Korvexa#.ini"));
        Create({}, ini);
        Click("DefSetButton");
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_[0].endsWith(ini));
    }
};

QTEST_MAIN(PrintSetupTest)
#include "print_setup_test.moc"
