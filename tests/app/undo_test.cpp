// Undo and redo in the main window: every kind of edit is one step, undo
// shows the data, the slab, the panel and the sheet exactly as they were,
// and the modified state follows the steps.
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include "../dialogs/ReplaceFormDriver.h"
#include "app/DataNotifier.h"
#include "WindowDriver.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "print/Uprintsetup.h"

using korvexa::app::MessageAnswer;

namespace {

// What the user sees of the data, and the data behind it.
struct Look {
    std::vector<korvexa::SlabData> slabs;
    korvexa::CommonSettings settings;
    korvexa::datafile::PrintLayout layout;
    int current = 0;
    QString lx, name, info;
    QImage sheet;

    bool operator==(const Look& o) const
    {
        return settings == o.settings && layout == o.layout && current == o.current && lx == o.lx &&
               name == o.name && info == o.info && sheet == o.sheet &&
               std::equal(slabs.begin(), slabs.end(), o.slabs.begin(), o.slabs.end(),
                          [](const auto& a, const auto& b) { return korvexa::datafile::SameInputs(a, b); });
    }
};

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;

    Look Now() const
    {
        return {w.form->SlabList.Slabs(),  korvexa::ProgramSettings(),     w.form->PrintLayout(),
                w.form->CurrentIndex(),    w.Box("LxInput")->text(),       w.Find<QComboBox>("NameBox")->currentText(),
                w.Info(),                  w.form->SheetImage()};
    }

    void OpenSample()
    {
        const QString copy = files_.filePath(QStringLiteral("sample.slab"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"), copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        w.Open(copy);
        w.Action("NextButton")->trigger();  // showing another slab is no step
    }

    // Runs a modal dialog of the window: `work` acts in it, then it closes.
    void InDialog(QAction* command, const std::function<void(QWidget&)>& work)
    {
        QTimer::singleShot(0, w.form.get(), [work] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            work(*dialog);
        });
        command->trigger();
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }
    void cleanup() { w.form.reset(); }

    void everyEditIsOneStepThatUndoesExactly()
    {
        const std::pair<const char*, std::function<void()>> edits[] = {
            {"number box", [&] { w.Type("LxInput", QStringLiteral("2.5")); }},
            {"choice", [&] { w.Pick("BindComboBox", korvexa::BindOneWaySupported); }},
            {"check box", [&] { w.Find<QCheckBox>("DeltCheckBox")->click(); }},
            {"add", [&] { w.Action("SlabAddButton")->trigger(); }},
            {"copy", [&] { w.Action("SlabCopyButton")->trigger(); }},
            {"delete", [&] { w.Action("SlabDeleteButton")->trigger(); }},
            {"arrangement", [&] {
                 InDialog(w.Action("ReplaceButton"), [](QWidget& dialog) {
                     auto& form = static_cast<TReplaceForm&>(dialog);
                     ListBox(form)->setCurrentRow(0);
                     form.findChild<QAction*>(QStringLiteral("SlabDelete"))->trigger();
                     form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
                 });
             }},
            {"design settings with a unit change", [&] { w.ChooseLoadUnit(0); }},
            {"print layout", [&] {
                 InDialog(w.Action("MenuPrintSetup"), [](QWidget& dialog) {
                     dialog.findChild<QCheckBox*>(QStringLiteral("IsTitlePrint"))->click();
                     dialog.close();
                 });
             }},
        };
        for (const auto& [what, edit] : edits) {
            OpenSample();
            const Look before = Now();
            edit();
            const Look after = Now();
            QVERIFY2(!(after == before), what);
            QCOMPARE(w.form->UndoStack().count(), 1);
            QVERIFY2(w.form->IsModified(), what);

            w.Action("MenuUndo")->trigger();
            QVERIFY2(Now() == before, what);
            QVERIFY2(!w.form->IsModified(), what);
            w.Action("MenuRedo")->trigger();
            QVERIFY2(Now() == after, what);
            QVERIFY2(w.form->IsModified(), what);
        }
    }

    // The caption's "*" comes with an edit and goes with a save, and with
    // undo back to what was saved; the menu names the step.
    void theMarkerFollowsTheSavedState()
    {
        OpenSample();
        const QString saved = w.Caption();
        QVERIFY(!saved.endsWith(QLatin1Char('*')));
        QVERIFY(!w.Action("MenuUndo")->isEnabled());
        w.Type("LxInput", QStringLiteral("2.5"));
        QCOMPARE(w.Caption(), saved + QLatin1Char('*'));
        QCOMPARE(w.Action("MenuUndo")->text(), QStringLiteral("元に戻す: Lx の変更 (&U)"));
        w.Action("MenuSave")->trigger();
        QCOMPARE(w.Caption(), saved);

        w.Type("TInput", QStringLiteral("21"));
        QCOMPARE(w.Caption(), saved + QLatin1Char('*'));
        w.Action("MenuUndo")->trigger();
        QCOMPARE(w.Caption(), saved);
        QCOMPARE(w.Action("MenuRedo")->text(), QStringLiteral("やり直し: t の変更 (&R)"));
        w.Action("MenuUndo")->trigger();  // before the save: modified again
        QCOMPARE(w.Caption(), saved + QLatin1Char('*'));

        w.answers << MessageAnswer::No;
        w.Action("NewDataButton")->trigger();  // new data: nothing to undo
        QVERIFY(!w.form->UndoStack().canUndo() && !w.form->UndoStack().canRedo());
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)"));
    }

    // The windows that follow the data hear of each change, and of undo.
    void theNotifierTellsWhatChanged()
    {
        OpenSample();
        korvexa::app::DataNotifier& notifier = w.form->Notifier();
        QSignalSpy inserted(&notifier, &korvexa::app::DataNotifier::SlabInserted);
        QSignalSpy removed(&notifier, &korvexa::app::DataNotifier::SlabRemoved);
        QSignalSpy changed(&notifier, &korvexa::app::DataNotifier::SlabChanged);
        QSignalSpy modified(&notifier, &korvexa::app::DataNotifier::ModifiedChanged);
        w.Action("SlabAddButton")->trigger();
        w.Type("LxInput", QStringLiteral("2"));
        w.Action("MenuUndo")->trigger();
        w.Action("MenuUndo")->trigger();
        QCOMPARE(inserted.value(0).value(0).toInt(), 16);
        QCOMPARE(changed.value(0).value(0).toInt(), 16);
        QCOMPARE(changed.value(1).value(0).toInt(), 16);  // the undo
        QCOMPARE(removed.value(0).value(0).toInt(), 16);
        QCOMPARE(modified.size(), 2);  // on, and off again
        QSignalSpy replaced(&notifier, &korvexa::app::DataNotifier::DataReplaced);
        QVERIFY(w.form->OpenParamFile(files_.filePath(QStringLiteral("sample.slab"))));
        QCOMPARE(replaced.size(), 1);
    }

    // Ctrl+Z while a value is typed takes the typing back, even in a box
    // that has an undo of its own; Ctrl+Shift+Z brings it again.
    void theUndoKeysWorkInTheBoxes()
    {
        OpenSample();
        TNumberEdit* lx = w.Box("LxInput");
        const QString before = lx->text();
        WindowDriver::Focus(lx);
        lx->selectAll();
        QTest::keyClicks(lx, QStringLiteral("2.5"));
        QTest::keyClick(lx, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lx->text(), before);
        QTest::keyClick(lx, Qt::Key_Escape);  // the typing is not back
        QCOMPARE(lx->text(), before);
        QTest::keyClick(lx, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.form->SlabList.Current().Lx, 2.5);

        auto* name = w.Find<QComboBox>("NameBox");
        WindowDriver::Focus(name);
        WindowDriver::TypeText(name->lineEdit(), QStringLiteral("X"));
        QTest::keyClick(name->lineEdit(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.form->UndoStack().undoText(), QStringLiteral("Lx の変更"));
        QCOMPARE(w.form->UndoStack().redoText(), QStringLiteral("名称 の変更"));
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
