// The print commands of the main window: their enabling in the File menu,
// the refusal without designed slabs, the shortcut, the preview shown
// maximised, the value being typed taken first, and the PDF of the sample
// file printed on the PDF printer, page for page what korvexa-cli pdf
// writes, with every designed slab's name, edge condition and bars.
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "WindowDriver.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "print/PrintFonts.h"
#include "print/Upreviewform.h"
#include "print/Uselectdialog.h"
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

    // Runs a command that opens a modal window, and closes that window,
    // telling whether it was `expected` (the preview shown maximised).
    // Back in the main window, as the user is.
    bool ClosesModal(QAction* command, QWidget* expected)
    {
        bool seen = false;
        QTimer closer;  // gone with the command when it opens nothing
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            seen = modal == expected && (expected != w.form->PreviewForm || modal->isMaximized());
            if (modal)
                modal->close();
        });
        closer.start(0);
        command->trigger();
        w.form->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(w.form.get())); }();
        return seen;
    }

    void theFileMenuEnablesPrintingByTheDesignedSlabs()
    {
        w.Open();
        auto* menu = w.Find<QMenu>("MenuFile");
        const auto enabled = [&] {
            emit menu->aboutToShow();
            QString on;
            for (const char* item : {"MenuPreview", "MenuPrint", "MenuSelectPrint"})
                on += w.Action(item)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
            return on;
        };
        QCOMPARE(enabled(), QStringLiteral("000"));
        emit menu->aboutToHide();
        QVERIFY(w.Action("MenuPrint")->isEnabled());  // its shortcut checks for itself
        w.DesignCurrent();
        QCOMPARE(enabled(), QStringLiteral("110"));
        w.Action("SlabAddButton")->trigger();
        w.DesignCurrent();
        QCOMPARE(enabled(), QStringLiteral("111"));
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

    void thePreviewIsRefusedWithoutADesignedSlabAndShownMaximised()
    {
        w.Open();
        for (const char* command : {"PreviewButton", "MenuPreview"}) {
            w.shown.clear();
            QVERIFY(!ClosesModal(w.Action(command), w.form->PreviewForm));
            QCOMPARE(w.shown, QStringList{QStringLiteral("計算されたスラブがありません")});
        }
        w.DesignCurrent();
        for (const char* command : {"PreviewButton", "MenuPreview"})
            QVERIFY(ClosesModal(w.Action(command), w.form->PreviewForm));
    }

    // A slab that cannot be designed has no sheet, and is named.
    void theSlabsLeftOutAreNamed()
    {
        w.Open();
        w.DesignCurrent();
        w.Action("SlabAddButton")->trigger();
        w.DesignCurrent(QStringLiteral("5"), QStringLiteral("4"));
        for (const auto& [command, opens] : {std::pair{"PreviewButton", static_cast<QWidget*>(w.form->PreviewForm)},
                                            std::pair{"MenuSelectPrint", static_cast<QWidget*>(w.form->SelectDialog)}}) {
            QVERIFY(ClosesModal(w.Action(command), opens));
            QCOMPARE(w.Message(), QStringLiteral("　計算できないため出力しないスラブ: S2"));
        }
        QCOMPARE(w.form->PrintSetup->Pages.PrintList, std::vector<int>{1});
    }

    void theCommandsTakeTheValueBeingTyped()
    {
        w.Open();
        w.DesignCurrent();
        TNumberEdit* lx = w.Box("LxInput");
        const auto typeAndRun = [&](const QString& value, const char* command, QWidget* opens) {
            WindowDriver::Focus(lx);
            lx->selectAll();
            QTest::keyClicks(lx, value);
            if (opens) {
                QVERIFY(ClosesModal(w.Action(command), opens));
            } else {
                w.Action(command)->trigger();
                QVERIFY(lx->hasFocus());
            }
            QCOMPARE(w.form->SlabList.At(1).Lx, value.toDouble());
        };
        Printer().printAnswer = PrintChoice{1, 1, 1, false};
        typeAndRun(QStringLiteral("3.5"), "PrintButton", nullptr);
        QVERIFY(std::any_of(Printer().pages[0].texts.begin(), Printer().pages[0].texts.end(),
                            [](const auto& t) { return t.text.contains(QStringLiteral("Lx=3.50m")); }));
        typeAndRun(QStringLiteral("2.5"), "PreviewButton", w.form->PreviewForm);
        typeAndRun(QStringLiteral("2"), "MenuSelectPrint", w.form->SelectDialog);
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
                                             BarTexts(slab)[0][0][0], BarTexts(slab)[1][1][1]})
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
