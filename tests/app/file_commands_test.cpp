// New, open, save and save as through the window, with the save question
// and the recent files; dialogs answered by the test.
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include "WindowDriver.h"
#include "app/DialogFolders.h"
#include "components/FileHistory.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "latex/Ulatexform.h"
#include "print/Uprintsetup.h"

using korvexa::app::MessageAnswer;

class FileCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;
    const QString sample_ = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

    QString Path(const char* name) const { return files_.filePath(QString::fromUtf8(name)); }
    QString CopyOfSample(const char* name) const
    {
        const QString copy = Path(name);
        QFile::remove(copy);
        QFile::copy(sample_, copy);
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return copy;
    }
    static int SlabsIn(const QString& file)
    {
        const auto result = korvexa::datafile::ReadDataFile(file.toStdString());
        return result.ok() ? static_cast<int>(result.data->slabs.size()) : -1;
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }

    void init()
    {
        korvexa::ProgramSettings() = korvexa::CommonSettings{};
        w.shown.clear();
        w.answers.clear();
        w.questionHadCancel.clear();
        w.saveDialogs.clear();
        w.openNames.clear();
        w.saveNames.clear();
        w.Open();
    }

    void cleanup() { w.form.reset(); }

    void newAsksOnlyWhenTheDataChanged()
    {
        w.Action("NewDataButton")->trigger();
        QVERIFY(w.shown.isEmpty());

        w.DesignCurrent();
        w.answers << MessageAnswer::No;
        w.Action("NewDataButton")->trigger();
        QCOMPARE(w.shown, QStringList{QStringLiteral("現在のデータを保存しますか？")});
        QCOMPARE(w.questionHadCancel, QList<bool>{true});
        QCOMPARE(w.form->SlabList.Count(), 1);
        QVERIFY(!w.form->SlabList.Current().Calculated);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)"));

        w.DesignCurrent();
        w.answers << MessageAnswer::Cancel;
        w.Action("NewDataButton")->trigger();
        QVERIFY(w.form->SlabList.Current().Calculated);  // Cancel keeps the data
    }

    void saveAsGivesTheDataExtensionAndNamesTheWindow()
    {
        w.Action("MenuSaveAs")->trigger();  // nothing typed yet
        QCOMPARE(w.shown, QStringList{QStringLiteral("保存するデータがありません")});

        w.DesignCurrent();
        w.saveNames << Path("plan.txt");
        w.Action("MenuSaveAs")->trigger();
        const QString plan = Path("plan.slab");
        QVERIFY(QFile::exists(plan));
        QVERIFY(!QFile::exists(Path("plan.txt")));
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  ") + plan);
        QCOMPARE(w.form->CurrentFileName(), plan);
        QCOMPARE(w.saveDialogs.first().filterIndex, 1);
        QVERIFY(w.saveDialogs.first().filter.startsWith(QStringLiteral("データファイル(*.slab)")));

        // Save writes the named file without a dialog.
        w.Type("LxInput", QStringLiteral("3.5"));
        w.Action("DataSaveButton")->trigger();
        QCOMPARE(w.saveDialogs.size(), 1);
        const auto saved = korvexa::datafile::ReadDataFile(plan.toStdString());
        QVERIFY(saved.ok());
        QCOMPARE(saved.data->slabs.front().Lx, 3.5);

        // Save as to the same name: written again, nothing else changes.
        w.saveNames << plan;
        w.Action("MenuSaveAs")->trigger();
        QCOMPARE(w.saveDialogs.last().fileName, plan);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  ") + plan);
    }

    // Slab 1 of the sample with its spans swapped by mistake cannot be
    // designed: Ctrl+S keeps it as typed, with the fourteen others.
    void aSlabThatCannotBeDesignedIsSavedAsTyped()
    {
        const QString file = CopyOfSample("swapped.slab");
        w.Open(file);
        const double lx = w.form->SlabList.At(1).Lx, ly = w.form->SlabList.At(1).Ly;
        w.Type("LxInput", QString::number(ly));
        w.Type("LyInput", QString::number(lx));
        QVERIFY(!w.form->SlabList.At(1).Calculated);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(SlabsIn(file), 15);
        QVERIFY(!w.form->IsModified());

        w.Open(file);
        QCOMPARE(w.form->SlabList.Count(), 15);
        QCOMPARE(w.form->SlabList.At(1).Lx, ly);
        QCOMPARE(w.form->SlabList.At(1).Ly, lx);
        QVERIFY(!w.form->SlabList.At(1).Calculated);
        QVERIFY(w.Message().contains(QStringLiteral("Lx が Ly よりも大きい")));
    }

    // はい, then a cancelled save dialog: nothing is replaced or closed.
    void yesWithoutSavingKeepsTheData()
    {
        w.DesignCurrent();
        const std::function<void()> commands[] = {
            [&] { w.Action("NewDataButton")->trigger(); },
            [&] { w.Action("MenuOpen")->trigger(); },
            [&] { QVERIFY(!w.form->close()); },
        };
        for (const auto& command : commands) {
            w.answers << MessageAnswer::Yes;  // and no name in the save dialog
            command();
            QCOMPARE(w.form->SlabList.Current().Lx, 3.0);
            QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)*"));
        }
        QCOMPARE(w.saveDialogs.size(), 3);
        QCOMPARE(w.shown.size(), 3);
    }

    void readOnlyFileIsAView()
    {
        const QString view = CopyOfSample("view.slab");
        QFile::setPermissions(view, QFileDevice::ReadOwner);
        w.Open(view);
        QVERIFY(w.Caption().endsWith(QStringLiteral("view.slab(閲覧)")));
        w.form->MenuFileClick();
        QVERIFY(!w.Action("MenuSave")->isEnabled());
        QVERIFY(w.Action("MenuSaveAs")->isEnabled());
        w.Action("DataSaveButton")->trigger();  // becomes save as
        QCOMPARE(w.saveDialogs.size(), 1);
        w.shown.clear();
        QVERIFY(w.form->close());  // no question for a view
        QVERIFY(w.shown.isEmpty());
    }

    void anEditSurvivesSavingAndReopening()
    {
        const QString file = CopyOfSample("edit.slab");
        w.Open(file);
        const int count = w.form->SlabList.Count();
        w.Action("NextButton")->trigger();
        w.Type("TInput", QStringLiteral("21.5"));
        w.Action("MenuSave")->trigger();
        w.form.reset();

        w.Open(file);
        QCOMPARE(w.form->SlabList.Count(), count);
        QCOMPARE(w.form->SlabList.At(2).T, 21.5);
        QVERIFY(w.form->SlabList.At(2).Calculated);
    }

    // Texts the file cannot hold as they are (a name from elsewhere than
    // the name box) are saved changed, and the user is told.
    void changesMadeOnSaveAreShown()
    {
        w.DesignCurrent();
        w.form->SlabList.Current().Name = std::string(60, 'N');
        w.saveNames << Path("cut.slab");
        w.Action("MenuSaveAs")->trigger();
        QCOMPARE(w.shown.size(), 1);
        const QStringList lines = w.shown.first().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("データを保存しましたが、ファイルに収まらない文字を変更しました。"));
        QVERIFY2(lines[1].endsWith(QStringLiteral("50 バイトを超えるため切り詰めました")), qPrintable(lines[1]));
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  ") + Path("cut.slab"));

        w.shown.clear();
        w.form->SlabList.Current().Name = "S1";
        w.Action("MenuSave")->trigger();
        QVERIFY(w.shown.isEmpty());
    }

    void whatTheReaderChangedIsShownOnOpen()
    {
        w.form->OpenParamFile(sample_);
        QVERIFY(w.shown.isEmpty());

        const QString padded = CopyOfSample("padded.slab");
        QFile file(padded);
        QVERIFY(file.open(QIODevice::Append));
        file.write("xyz");
        file.close();
        QVERIFY(w.form->OpenParamFile(padded));
        QCOMPARE(w.shown, QStringList{QStringLiteral("ファイルを読み込みましたが、次の点を変更または無視しました。\n"
                                                     "ファイルの終わりの 3 バイトは何のデータでもないため読み飛ばしました")});
        QCOMPARE(w.form->SlabList.Count(), SlabsIn(sample_));
    }

    // Where the open, save-as, LaTeX and PDF dialogs start, each cancelled
    // (the last: the PDF printer's file offered in the print dialog).
    QStringList DialogStarts()
    {
        w.openFolders.clear();
        w.saveDialogs.clear();
        w.answers = {MessageAnswer::No};  // the save question before opening, if asked
        w.Action("MenuOpen")->trigger();
        w.answers.clear();
        w.Action("MenuSaveAs")->trigger();
        w.Action("MenuTeXOut")->trigger();
        auto& printer = static_cast<korvexa::printer::FakePrinterDevice&>(w.form->PrintSetup->Printer());
        printer.printAnswer.reset();
        w.Action("PrintButton")->trigger();
        const QString data = w.form->CurrentFileName();
        const QString name = data.isEmpty() ? QStringLiteral("Korvexa") : QFileInfo(data).completeBaseName();
        if (w.saveDialogs.size() != 2 || QFileInfo(w.saveDialogs[1].fileName).fileName() != name + QStringLiteral(".tex") ||
            QFileInfo(printer.printDialogPdfName).fileName() != name + QStringLiteral(".pdf"))
            return {QStringLiteral("dialogs not shown, or not offering the data file's name")};
        return {w.openFolders.value(0), w.saveDialogs[0].directory, QFileInfo(w.saveDialogs[1].fileName).path(),
                QFileInfo(printer.printDialogPdfName).path()};
    }

    // The dialogs start in the data file's folder, else in the folder last
    // used (also at the next start), else in the documents folder.  The
    // message bar names the PDF file a print wrote.
    void dialogsStartInTheDataFolderElseTheLastOneUsed()
    {
        QFile::remove(config_.filePath(QStringLiteral("#Korvexa#.ini")));
        w.Open();
        w.form->LatexForm->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(false);  // no compiler run
        const QString a = Path("a"), b = Path("b"), c = Path("c");
        for (const QString& folder : {a, b, c})
            QVERIFY(QDir().mkpath(folder));
        const auto all = [](const QString& folder) { return QStringList(4, folder); };

        w.DesignCurrent();
        QCOMPARE(DialogStarts(), all(korvexa::app::DocumentsFolder()));
        w.saveNames << a + QStringLiteral("/plan.slab");
        w.Action("MenuSaveAs")->trigger();
        QCOMPARE(DialogStarts(), all(a));

        w.Action("NewDataButton")->trigger();  // saved: no question
        w.DesignCurrent();
        QCOMPARE(DialogStarts(), all(a));
        w.saveNames << b + QStringLiteral("/report.tex");
        w.Action("MenuTeXOut")->trigger();
        QVERIFY(QFile::exists(b + QStringLiteral("/report.tex")));
        QCOMPARE(DialogStarts(), all(b));

        auto& printer = static_cast<korvexa::printer::FakePrinterDevice&>(w.form->PrintSetup->Printer());
        printer.SelectPrinter(printer.GetPrinterNames().indexOf(korvexa::printer::kPdfPrinterName));
        printer.printAnswer = korvexa::printer::PrintChoice{1, 1, 1, false};
        const QString pdf = c + QStringLiteral("/sheets.pdf");
        printer.duringPrintDialog = [pdf](korvexa::printer::FakePrinterDevice& device) { device.SetOutputFileName(pdf); };
        w.Action("PrintButton")->trigger();
        QCOMPARE(w.Message(), QStringLiteral("　PDFファイルに印刷しました：") + pdf);
        printer.duringPrintDialog = nullptr;
        QCOMPARE(DialogStarts(), all(c));

        w.answers = {MessageAnswer::No};
        QVERIFY(w.form->close());
        w.Open();
        w.DesignCurrent();
        QCOMPARE(DialogStarts(), all(c));
        QVERIFY(QDir(c).removeRecursively());
        QCOMPARE(DialogStarts(), all(korvexa::app::DocumentsFolder()));
    }

    void commandsHaveTheStandardKeys()
    {
        const std::pair<const char*, QKeySequence> keys[] = {
            {"NewDataButton", QKeySequence(QStringLiteral("Ctrl+N"))},
            {"MenuOpen", QKeySequence(QStringLiteral("Ctrl+O"))},
            {"MenuSave", QKeySequence(QStringLiteral("Ctrl+S"))},
            {"MenuSaveAs", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
            {"MenuClose", QKeySequence(QStringLiteral("Ctrl+Q"))},
            {"HELP2", QKeySequence(QStringLiteral("F1"))},
            {"MenuPrint", QKeySequence(QStringLiteral("Ctrl+P"))},
            {"MenuUndo", QKeySequence(QStringLiteral("Ctrl+Z"))},
            {"MenuRedo", QKeySequence(QStringLiteral("Ctrl+Y"))},
            {"MenuRedo", QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
        };
        for (const auto& [action, key] : keys)
            QVERIFY2(w.Action(action)->shortcuts().contains(key), action);
        // Keys the boxes edit with stay free in the main window (its dialogs
        // have their own); undo and redo are the window's steps.
        const QList<QAction*> own = w.form->findChildren<QAction*>(Qt::FindDirectChildrenOnly);
        QVERIFY(own.contains(w.Action("MenuSave")));
        for (QAction* action : own)
            for (const auto standard : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll})
                for (const QKeySequence& taken : QKeySequence::keyBindings(standard))
                    QVERIFY2(!action->shortcuts().contains(taken), qPrintable(action->objectName()));
    }

    // Ctrl+S while the typed value is still in its box saves that value,
    // also after the File menu was last opened with nothing to save.
    void saveKeyTakesTheValueBeingTyped()
    {
        QMenu* file = w.Find<QMenu>("MenuFile");
        emit file->aboutToShow();
        QVERIFY(!w.Action("MenuSave")->isEnabled());
        emit file->aboutToHide();
        w.DesignCurrent();
        w.saveNames << Path("typed.slab");
        w.Action("MenuSaveAs")->trigger();

        TNumberEdit* lx = w.Box("LxInput");
        WindowDriver::Focus(lx);
        lx->selectAll();
        QTest::keyClicks(lx, QStringLiteral("3.5"));
        QTest::keyClick(lx, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.saveDialogs.size(), 1);  // saved to the named file
        const auto saved = korvexa::datafile::ReadDataFile(Path("typed.slab").toStdString());
        QVERIFY(saved.ok());
        QCOMPARE(saved.data->slabs.front().Lx, 3.5);
        QVERIFY(lx->hasFocus());
    }

    void failedSavesKeepFileAndData()
    {
        // A read-only file is never replaced: save as onto it fails.
        const QString locked = CopyOfSample("locked.slab");
        QFile::setPermissions(locked, QFileDevice::ReadOwner);
        const QByteArray before = [&] { QFile f(locked); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        w.DesignCurrent();
        w.saveNames << locked;
        w.Action("MenuSaveAs")->trigger();
        QCOMPARE(w.shown.last().section(QLatin1Char('\n'), 0, 0), QStringLiteral("データの保存に失敗しました。"));
        QFile f(locked);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)*"));

        // Yes to the question, then a failed write: the command is given up
        // and the designed slab stays.
        w.saveNames << Path("missing-folder/x.slab");
        w.answers << MessageAnswer::Yes;
        w.Action("NewDataButton")->trigger();
        QVERIFY(w.form->SlabList.Current().Calculated);
        QCOMPARE(w.form->SlabList.Current().Lx, 3.0);
    }

    // The sample's loads are in kN/m²; new data goes on in that unit.
    void loadsTypedAfterNewDataKeepTheirUnit()
    {
        w.Open(CopyOfSample("kn.slab"));
        w.answers << MessageAnswer::No;
        w.Action("NewDataButton")->trigger();
        w.DesignCurrent(QStringLiteral("4"), QStringLiteral("6"));
        w.Type("FLInput", QStringLiteral("1.5"));
        w.saveNames << Path("fresh.slab");
        w.Action("MenuSaveAs")->trigger();
        w.Open(Path("fresh.slab"));
        QCOMPARE(w.form->SlabList.Current().FL, 1.5);
        QCOMPARE(w.Box("FLInput")->text(), QStringLiteral("1.50"));

        w.answers << MessageAnswer::No;
        w.Action("NewDataButton")->trigger();
        w.DesignCurrent();
        w.Type("FLInput", QStringLiteral("1.0"));
        w.ChooseLoadUnit(0);
        QCOMPARE(w.form->SlabList.Current().FL, 1000.0);
        QCOMPARE(w.Box("FLInput")->text(), QStringLiteral("1000"));
        w.Action("SlabAddButton")->trigger();  // made from the template, in N/m²
        w.DesignCurrent();
        w.ChooseLoadUnit(1);
        QCOMPARE(w.form->SlabList.At(1).FL, 1.0);
        QCOMPARE(w.form->SlabList.At(2).FL, 1.0);
    }

    void aFileSwitchedToNewtonsAndBackKeepsItsLoads()
    {
        w.Open(CopyOfSample("switch.slab"));
        const std::vector<korvexa::SlabData> before = w.form->SlabList.Slabs();
        w.ChooseLoadUnit(0);
        QCOMPARE(w.form->SlabList.At(1).FL, before[0].FL * 1000);
        w.ChooseLoadUnit(1);
        for (std::size_t i = 0; i < before.size(); ++i) {
            const korvexa::SlabData& s = w.form->SlabList.At(static_cast<int>(i) + 1);
            QCOMPARE(s.FL, before[i].FL);
            for (std::size_t k = 0; k < 3; ++k) {
                QCOMPARE(s.LL[k] + 1, before[i].LL[k] + 1);  // +1: zero compares fuzzily too
                QCOMPARE(s.TL[k] + 1, before[i].TL[k] + 1);
                QCOMPARE(s.P[k] + 1, before[i].P[k] + 1);
            }
        }
    }

    void recentFilesAndTheirQuestion()
    {
        const QString f1 = CopyOfSample("f1.slab");
        const QString f2 = CopyOfSample("f2.slab");
        w.openNames << f1 << f2;
        w.Action("MenuOpen")->trigger();
        w.Action("MenuOpen")->trigger();  // f1 is as it was read: not asked
        QCOMPARE(w.form->CurrentFileName(), f2);
        QCOMPARE(w.form->FileHistory->Items().value(0), f1);
        bool listed = false;
        for (QAction* entry : w.Find<QMenu>("MenuFile")->actions())
            listed |= entry->text() == QStringLiteral("&1 ") + f1;
        QVERIFY(listed);

        w.questionHadCancel.clear();
        w.Type("TInput", QStringLiteral("20"));
        w.answers << MessageAnswer::No;
        QCOMPARE(w.form->HistoryOpen(f1), 0);
        QCOMPARE(w.questionHadCancel, QList<bool>{false});  // no Cancel from the recent files
        QCOMPARE(w.form->CurrentFileName(), f1);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
