// The main window's data arrangement "整理": when it is offered, and how OK
// and Cancel of the dialog change the slab list.
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "../dialogs/ReplaceFormDriver.h"
#include "WindowDriver.h"
#include "dialogs/Uinputdlg.h"

class ArrangeCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    WindowDriver w;

    // Designed slabs S1..Sn with Lx 2.1, 2.2, ... so the records tell apart.
    void MakeSlabs(int n)
    {
        for (int i = 1; i <= n; ++i) {
            if (i > 1)
                w.Action("SlabAddButton")->trigger();
            w.DesignCurrent(QString::number(2 + 0.1 * i));
        }
    }
    // The slabs' names in list order, "S1,S2,...".
    QString Names() const
    {
        QStringList names;
        for (int i = 1; i <= w.form->SlabList.Count(); ++i)
            names << QString::fromStdString(w.form->SlabList.At(i).Name);
        return names.join(QLatin1Char(','));
    }
    QString NameBoxItems() const
    {
        auto* box = w.Find<QComboBox>("NameBox");
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items.join(QLatin1Char(','));
    }
    // Opens the dialog, lets `edit` work in it, and ends it with OK or Cancel.
    void Arrange(const std::function<void(TReplaceForm&)>& edit, bool ok = true)
    {
        QTimer::singleShot(0, this, [this, edit, ok] {
            TReplaceForm& form = *w.form->ReplaceForm;
            QVERIFY(form.isVisible());
            edit(form);
            form.findChild<QPushButton*>(QString::fromUtf8(ok ? "Button1" : "Button2"))->click();
        });
        w.Action("ReplaceButton")->trigger();
    }
    static void Delete(TReplaceForm& form, int row)
    {
        ListBox(form)->setCurrentRow(row);
        form.findChild<QAction*>(QStringLiteral("SlabDelete"))->trigger();
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }
    void init() { w.Open(); }
    void cleanup() { w.form.reset(); }

    void offeredFromTwoSlabsOn()
    {
        QVERIFY(!w.Action("ReplaceButton")->isEnabled());
        MakeSlabs(2);
        QVERIFY(w.Action("ReplaceButton")->isEnabled());
        w.Action("SlabDeleteButton")->trigger();
        QVERIFY(!w.Action("ReplaceButton")->isEnabled());
    }

    // Entry 3 dropped on entry 1: slab 3 becomes the first and is shown;
    // the template for new slabs stays as it was.
    void dragAndOkReorders()
    {
        MakeSlabs(4);
        const std::string templateName = w.form->SlabList.Template().Name;
        Arrange([](TReplaceForm& form) { QVERIFY(DragEntry(form, 2, EntryCentre(form, 0)).accepted); });
        QCOMPARE(Names(), QStringLiteral("S3,S1,S2,S4"));
        QCOMPARE(NameBoxItems(), Names());
        QCOMPARE(w.form->CurrentIndex(), 1);
        QCOMPARE(w.Info(), QStringLiteral("1/4"));
        QCOMPARE(w.form->SlabList.Current().Lx, 2.3);
        QCOMPARE(w.Box("LxInput")->text(), QStringLiteral("2.30"));
        QCOMPARE(w.form->SlabList.Template().Name, templateName);
    }

    void renameWithBlanksAndOk()
    {
        MakeSlabs(3);
        Arrange([this](TReplaceForm& form) {
            ListBox(form)->setCurrentRow(1);
            QTimer::singleShot(0, this, [&form] {
                auto* box = form.InputDlg->findChild<QLineEdit*>(QStringLiteral("InputBox"));
                box->setText(QStringLiteral("  B  "));
                form.InputDlg->accept();
            });
            form.findChild<QAction*>(QStringLiteral("NameChange"))->trigger();
        });
        QCOMPARE(Names(), QStringLiteral("S1,B,S3"));
        QCOMPARE(NameBoxItems(), Names());
        QCOMPARE(w.form->SlabList.At(2).Lx, 2.2);
    }

    void deleteAndOk()
    {
        MakeSlabs(4);
        Arrange([](TReplaceForm& form) { Delete(form, 1); });
        QCOMPARE(Names(), QStringLiteral("S1,S3,S4"));
        QCOMPARE(w.form->SlabList.At(2).Lx, 2.3);
        QCOMPARE(w.form->CurrentIndex(), 1);
        QCOMPARE(w.Info(), QStringLiteral("1/3"));
    }

    void okWithoutChangeOrCancelChangesNothing_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok, nothing done") << true;
        QTest::newRow("cancel after many changes") << false;
    }
    void okWithoutChangeOrCancelChangesNothing()
    {
        QFETCH(bool, ok);
        MakeSlabs(5);
        w.Action("BeforButton")->trigger();
        w.Action("BeforButton")->trigger();
        QCOMPARE(w.form->CurrentIndex(), 3);
        Arrange([ok](TReplaceForm& form) {
            if (ok) {  // a deletion undone and a move back leave nothing to apply
                Delete(form, 0);
                form.findChild<QAction*>(QStringLiteral("DeleteUndo"))->trigger();
                DragEntry(form, 4, EntryCentre(form, 0));
                DragEntry(form, 0, EntryCentre(form, 4));
                return;
            }
            DragEntry(form, 4, EntryCentre(form, 0));
            Delete(form, 1);
            Delete(form, 2);
            form.findChild<QAction*>(QStringLiteral("DeleteUndo"))->trigger();
        }, ok);
        QCOMPARE(Names(), QStringLiteral("S1,S2,S3,S4,S5"));
        QCOMPARE(w.form->CurrentIndex(), 3);
        QCOMPARE(w.Info(), QStringLiteral("3/5"));
    }
};

QTEST_MAIN(ArrangeCommandTest)
#include "arrange_command_test.moc"
