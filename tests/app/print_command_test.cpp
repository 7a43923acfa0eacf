// The print commands of the main window: their enabling in the File menu,
// the refusal without designed slabs, the shortcut, and the PDF of the
// sample file printed on the PDF printer, page for page what korvexa-cli
// pdf writes, with every designed slab's name, edge condition and bars.
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "WindowDriver.h"
#include "engine/SheetTexts.h"
#include "print/PrintFonts.h"
#include "print/Uprintsetup.h"

using korvexa::printer::FakePrinterDevice;
using korvexa::printer::PrintChoice;
using korvexa::printer::QtPrinterDevice;

namespace {

// The PDF printer with the print dialog answered: all pages, once.
class AnsweredPdfPrinter : public QtPrinterDevice {
public:
    using QtPrinterDevice::QtPrinterDevice;
    std::optional<PrintChoice> PrintDialog(QWidget*, int pageCount, const QString&) override
    {
        return PrintChoice{1, pageCount, 1, false};
    }
};

QString Squeezed(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

}  // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;
    const QString sample_ = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

    FakePrinterDevice& Printer() { return static_cast<FakePrinterDevice&>(w.form->PrintSetup->Printer()); }

    // Standard output of a tool; fails the test when it fails.
    static QByteArray Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        const bool ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                        process.exitCode() == 0;
        if (!ok)
            qWarning() << program << arguments << process.readAllStandardError();
        return ok ? process.readAllStandardOutput() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        korvexa::print::SubstituteFonts();  // as the program does at start
        w.AnswerMessages();
    }

    void cleanup() { w.form.reset(); }

    void theFileMenuEnablesPrintingByTheDesignedSlabs()
    {
        w.Open();
        auto* menu = w.Find<QMenu>("MenuFile");
        const auto enabled = [&] {
            emit menu->aboutToShow();
            return std::pair(w.Action("MenuPrint")->isEnabled(), w.Action("MenuSelectPrint")->isEnabled());
        };
        QCOMPARE(enabled(), std::pair(false, false));
        emit menu->aboutToHide();
        QVERIFY(w.Action("MenuPrint")->isEnabled());  // its shortcut checks for itself
        w.DesignCurrent();
        QCOMPARE(enabled(), std::pair(true, false));
        w.Action("SlabAddButton")->trigger();
        w.DesignCurrent();
        QCOMPARE(enabled(), std::pair(true, true));
    }

    void withoutADesignedSlabPrintingIsRefused()
    {
        w.Open();
        w.shown.clear();
        QTest::keySequence(w.form.get(), QKeySequence::Print);
        QCOMPARE(w.shown, QStringList{QStringLiteral("計算されたスラブがありません")});
        QCOMPARE(Printer().printDialogs, 0);
        w.DesignCurrent();
        QTest::keySequence(w.form.get(), QKeySequence::Print);
        QCOMPARE(Printer().printDialogs, 1);  // cancelled
        QCOMPARE(Printer().printDialogPageCount, 1);
    }

    void thePdfOfTheSampleIsWhatTheCommandLineWrites()
    {
        QStringList tools;
        for (const char* name : {"pdftotext", "pdftoppm"}) {
            tools << QStandardPaths::findExecutable(QString::fromUtf8(name));
            if (tools.last().isEmpty()) {
                if (qEnvironmentVariableIsSet("CI"))
                    QFAIL("poppler-utils missing in CI");
                QSKIP("poppler-utils not installed (make test installs it)");
            }
        }
        const QString windowPdf = files_.filePath(QStringLiteral("window.pdf"));
        const QString cliPdf = files_.filePath(QStringLiteral("cli.pdf"));
        w.printer = [windowPdf] {
            return std::unique_ptr<korvexa::printer::PrinterDevice>(std::make_unique<AnsweredPdfPrinter>(windowPdf));
        };
        w.Open(sample_);
        w.Action("PrintButton")->trigger();
        w.printer = WindowDriver().printer;
        QVERIFY(QFileInfo::exists(windowPdf));
        Run(QStringLiteral(KORVEXA_CLI_PATH), {QStringLiteral("pdf"), sample_, QStringLiteral("-o"), cliPdf});

        const QString text = QString::fromUtf8(Run(tools[0], {QStringLiteral("-layout"), windowPdf, QStringLiteral("-")}));
        QCOMPARE(text, QString::fromUtf8(Run(tools[0], {QStringLiteral("-layout"), cliPdf, QStringLiteral("-")})));
        const QString squeezed = Squeezed(text);
        for (int i = 1; i <= w.form->SlabList.Count(); ++i) {
            const korvexa::SlabData& slab = w.form->SlabList.At(i);
            QVERIFY(slab.Calculated);
            for (const std::string& piece : {slab.Name, korvexa::SlabConditionText(slab.Bind, true),
                                             slab.BarText[0][0][0], slab.BarText[1][1][1]})
                QVERIFY2(squeezed.contains(Squeezed(QString::fromStdString(piece))), piece.c_str());
        }

        // The same pages, pixel for pixel.
        const QString dir = files_.path();
        Run(tools[1], {QStringLiteral("-r"), QStringLiteral("40"), windowPdf, dir + QStringLiteral("/w")});
        Run(tools[1], {QStringLiteral("-r"), QStringLiteral("40"), cliPdf, dir + QStringLiteral("/c")});
        const QStringList pages = QDir(dir).entryList({QStringLiteral("w-*.ppm")});
        QVERIFY(pages.size() >= 4);
        for (const QString& page : pages) {
            QFile a(dir + QLatin1Char('/') + page), b(dir + QStringLiteral("/c") + page.mid(1));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(page));
        }
    }
};

QTEST_MAIN(PrintCommandTest)
#include "print_command_test.moc"
