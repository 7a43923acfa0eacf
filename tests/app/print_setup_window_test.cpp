// The print settings in the main window: the stored defaults at start and
// for new data, a data file's layout on open, the current one on save, and
// the menu command.
#include <QTemporaryDir>
#include <QTimer>

#include "WindowDriver.h"
#include "components/NumberEdit.h"
#include "datafile/DataFile.h"
#include "datafile/ProfileFile.h"
#include "print/PrintDefaults.h"
#include "print/Uprintsetup.h"

using korvexa::datafile::PrintLayout;

class PrintSetupWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;

    static PrintLayout Registered()
    {
        PrintLayout l;
        l.Title = "第５章\r\n\r\n";
        l.BodyFont = {"IPAPGothic", 10, "Italic"};
        l.LeftMargin = 24;
        l.FirstPageNo = 1;
        l.ChangeEvenHeaderPos = true;
        return l;
    }
    static PrintLayout InFile()
    {
        PrintLayout l;
        l.Title = "別表\r\n";
        l.FirstPageNo = 150;  // a book of hundreds of pages
        l.TitleFont = {"IPAexGothic", 13, "Bold"};
        l.Indent = 4;
        l.BottomMargin = 9;
        l.IsTitlePrint = false;
        return l;
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        korvexa::datafile::ProfileFile ini(config_.filePath(QStringLiteral("#Korvexa#.ini")).toStdString());
        QVERIFY(korvexa::print::WritePrintDefaults(ini, Registered()));
        w.AnswerMessages();
    }

    void init()
    {
        w.shown.clear();
        w.beeps = 0;
        w.Open();
    }

    void cleanup() { w.form.reset(); }

    void newDataAppliesTheStoredDefaults()
    {
        QCOMPARE(w.form->PrintLayout(), Registered());
        w.form->PrintSetup->ApplyLayout(InFile());
        w.Action("NewDataButton")->trigger();
        QCOMPARE(w.form->PrintLayout(), Registered());
    }

    void openingAFileAppliesItsLayoutAndSavingWritesTheCurrentOne()
    {
        auto sample = korvexa::datafile::ReadDataFile(KORVEXA_SOURCE_DIR "/examples/sample.slab");
        QVERIFY(sample.ok());
        sample.data->layout = InFile();
        const QString file = files_.filePath(QStringLiteral("layout.slab"));
        QVERIFY(korvexa::datafile::WriteDataFile(file.toStdString(), *sample.data).ok);

        w.openNames << file;
        w.Action("MenuOpen")->trigger();
        QCOMPARE(w.form->PrintLayout(), InFile());
        QCOMPARE(w.form->PrintSetup->TitleLines(), QStringList{QStringLiteral("別表")});
        // Through the dialog, its page number box entered, and OK.
        QTimer::singleShot(0, [&] {
            w.form->PrintSetup->findChild<TNumberEdit*>(QStringLiteral("FirstPgNo"))->setFocus();
            w.form->PrintSetup->close();
        });
        w.Action("MenuPrintSetup")->trigger();
        QCOMPARE(w.form->PrintLayout(), InFile());

        PrintLayout changed = InFile();
        changed.TopMargin = 21;
        w.form->PrintSetup->ApplyLayout(changed);
        w.Action("MenuSave")->trigger();
        QCOMPARE(korvexa::datafile::ReadDataFile(file.toStdString()).data->layout, changed);
        QVERIFY(w.shown.isEmpty());
    }

    void aPrinterThatCannotBeOpenedIsToldInAMessageBox()
    {
        auto& printer = static_cast<korvexa::printer::FakePrinterDevice&>(w.form->PrintSetup->Printer());
        printer.refuseBegin = true;
        QVERIFY(!w.form->PrintSetup->PrintJob(1, [](QPainter&, int) {}));
        QCOMPARE(w.shown, QStringList{QStringLiteral("プリンタ「Laser A4」で印刷を開始できませんでした。")});
        QCOMPARE(w.beeps, 1);
    }

    void theMenuCommandShowsTheDialog()
    {
        QAction* command = w.Action("MenuPrintSetup");
        QVERIFY(command->isEnabled());
        QString caption;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            caption = dialog ? dialog->windowTitle() : QString();
            if (dialog)
                dialog->close();
        });
        command->trigger();
        QCOMPARE(caption, QStringLiteral("印刷設定"));
        QCOMPARE(w.form->PrintSetup->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(PrintSetupWindowTest)
#include "print_setup_window_test.moc"
