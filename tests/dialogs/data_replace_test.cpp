// The data arrangement dialog driven by objectName: reordering by drag,
// rename, delete and undo, the popup menu and the columns.
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "ReplaceFormDriver.h"
#include "dialogs/Uinputdlg.h"

using korvexa::dialogs::ArrangementEntry;

namespace {

std::vector<std::string> Names(int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("S" + std::to_string(i));
    return names;
}

}  // namespace

class DataReplaceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TReplaceForm> form_;
    QList<QMenu*> popups_;

    TReplaceForm& Open(int slabs)
    {
        form_ = std::make_unique<TReplaceForm>();
        form_->PopupAt = [this](QMenu* menu, const QPoint&) { popups_ << menu; };
        form_->Fill(Names(slabs));
        form_->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(form_.get())); }();
        return *form_;
    }
    QAction* Action(const char* name) const { return form_->findChild<QAction*>(QString::fromUtf8(name)); }
    QListWidget* List() const { return ListBox(*form_); }
    void Select(int row) { QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, EntryCentre(*form_, row)); }
    std::vector<int> Order() const
    {
        std::vector<int> order;
        for (const ArrangementEntry& entry : form_->Arrangement().Entries())
            order.push_back(entry.slab);
        return order;
    }

    // Renames the entry at `row`, typing `typed` into the rename box.
    void Rename(int row, const QString& typed, bool ok = true)
    {
        Select(row);
        QTimer::singleShot(0, this, [this, typed, ok] {
            auto* dialog = form_->InputDlg;
            auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("InputBox"));
            QVERIFY(box->hasFocus() || !dialog->isActiveWindow());
            box->clear();
            for (const QChar c : typed)
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            dialog->findChild<QPushButton*>(QString::fromUtf8(ok ? "OKBtn" : "CancelBtn"))->click();
        });
        Action("NameChange")->trigger();
    }

private Q_SLOTS:
    void cleanup() { form_.reset(), popups_.clear(); }

    void entriesShowTheSlabNumberInThreePlaces()
    {
        Open(3);
        QCOMPARE(EntryTexts(*form_), (QStringList{QStringLiteral("  1: S1"), QStringLiteral("  2: S2"),
                                                  QStringLiteral("  3: S3")}));
        QCOMPARE(form_->windowTitle(), QStringLiteral("データ整理"));
        QCOMPARE(TReplaceForm::EntryText({1234, "X"}), QStringLiteral("1234: X"));
    }

    void dragMovesOneEntry_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<std::vector<int>>("order");
        QTest::newRow("3 onto 1") << 2 << 0 << std::vector<int>{3, 1, 2, 4};
        QTest::newRow("1 onto 3") << 0 << 2 << std::vector<int>{2, 3, 1, 4};
        QTest::newRow("onto itself") << 1 << 1 << std::vector<int>{1, 2, 3, 4};
    }
    void dragMovesOneEntry()
    {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(std::vector<int>, order);
        Open(4);
        const QString dragged = List()->item(from)->text();
        const DragRecord drag = DragEntry(*form_, from, EntryCentre(*form_, onto));
        QVERIFY(drag.begun);
        QVERIFY(drag.accepted);
        QCOMPARE(Order(), order);
        QCOMPARE(List()->item(onto)->text(), dragged);
        QVERIFY(List()->selectedItems().isEmpty());
        // The picture is the entry's text, hanging its own height below the pointer.
        const QFontMetrics metrics(form_->font());
        QCOMPARE(drag.picture.size(), QSize(metrics.horizontalAdvance(dragged), metrics.height()));
        QCOMPARE(drag.hotSpot, QPoint(0, -drag.picture.height()));
        QVERIFY(!form_->DragCnt->Dragging());
    }

    void dropOutsideTheEntriesMovesNothing()
    {
        Open(4);
        const QPoint below = List()->visualItemRect(List()->item(3)).bottomLeft() + QPoint(5, 20);
        const DragRecord drag = DragEntry(*form_, 1, below);
        QVERIFY(drag.begun);
        QVERIFY(!drag.accepted);
        QCOMPARE(Order(), (std::vector<int>{1, 2, 3, 4}));
    }

    void aShortMoveOrASingleEntryStartsNoDrag()
    {
        Open(1);
        QVERIFY(!DragEntry(*form_, 0, EntryCentre(*form_, 0)).begun);
        Open(3);
        bool begun = false;
        form_->ExecDrag = [&](TDragObj*) { begun = true; };
        const QPoint start = EntryCentre(*form_, 0);
        QTest::mousePress(List()->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(List()->viewport(), start + QPoint(QApplication::startDragDistance(), 0));
        QVERIFY(!begun);
    }

    void renameTrimsAndKeepsTheLimits_data()
    {
        const QString wide = QString(30, QChar(0x30B9));  // ス: two bytes each
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("entry");
        QTest::newRow("blanks around") << QStringLiteral("  B 1　 ") << true << QStringLiteral("  2: B 1");
        QTest::newRow("30 full-width: 50 bytes kept") << wide << true << QStringLiteral("  2: ") + wide.left(25);
        QTest::newRow("empty") << QString() << true << QStringLiteral("  2: ");
        QTest::newRow("not in the code page") << QStringLiteral("A\u00E9B") << true << QStringLiteral("  2: AB");
        QTest::newRow("cancel") << QStringLiteral("C") << false << QStringLiteral("  2: S2");
    }
    void renameTrimsAndKeepsTheLimits()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, entry);
        Open(3);
        Rename(1, typed, ok);
        QCOMPARE(List()->item(1)->text(), entry);
        QCOMPARE(QString::fromStdString(form_->Arrangement().Entries()[1].name), entry.mid(5));
        QCOMPARE(Order(), (std::vector<int>{1, 2, 3}));
    }

    // A file holds names of up to 50 bytes: one longer than 30 letters
    // comes back from the rename box whole.
    void longNameFromAFileIsOfferedWhole()
    {
        Open(1);
        const QString longName(40, QLatin1Char('L'));
        QString name = longName;
        QTimer::singleShot(0, this, [this] { form_->InputDlg->accept(); });
        QVERIFY(form_->InputDlg->AskName(name));
        QCOMPARE(name, longName);
    }

    // Delete the entries of slabs 2 and 4 (then the third line), undo twice.
    void deleteAndUndoInReverseOrder()
    {
        Open(5);
        Select(1);
        Action("SlabDelete")->trigger();
        QVERIFY(List()->selectedItems().isEmpty());
        Select(2);
        Action("SlabDelete")->trigger();
        QCOMPARE(EntryTexts(*form_), (QStringList{QStringLiteral("  1: S1"), QStringLiteral("  3: S3"),
                                                  QStringLiteral("  5: S5")}));
        Action("DeleteUndo")->trigger();
        QCOMPARE(List()->item(2)->text(), QStringLiteral("  4: S4"));
        QCOMPARE(List()->currentRow(), 2);
        Action("DeleteUndo")->trigger();
        QCOMPARE(List()->item(1)->text(), QStringLiteral("  2: S2"));
        QCOMPARE(Order(), (std::vector<int>{1, 2, 3, 4, 5}));
        QVERIFY(!Action("DeleteUndo")->isEnabled());
    }

    // The commands' enabling as the popup opens; a right click selects nothing.
    void popupMenuEnabling()
    {
        Open(2);
        QWidget* viewport = List()->viewport();
        const QPoint onFirst = EntryCentre(*form_, 0);
        QTest::mouseClick(viewport, Qt::RightButton, {}, onFirst);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, onFirst, viewport->mapToGlobal(onFirst));
        QApplication::sendEvent(viewport, &menu);
        QCOMPARE(popups_.size(), 1);
        QVERIFY(List()->selectedItems().isEmpty());
        for (const char* command : {"NameChange", "SlabDelete", "DeleteUndo"})
            QVERIFY2(!Action(command)->isEnabled(), command);

        Select(0);
        QVERIFY(Action("NameChange")->isEnabled());
        QVERIFY(Action("SlabDelete")->isEnabled());
        Action("SlabDelete")->trigger();
        QVERIFY(Action("DeleteUndo")->isEnabled());
        Select(0);  // the last entry: it stays
        QVERIFY(Action("NameChange")->isEnabled());
        QVERIFY(!Action("SlabDelete")->isEnabled());
        Action("SlabDelete")->trigger();
        QCOMPARE(List()->count(), 1);
    }

    void twoColumnsFromSixteenEntries()
    {
        Open(15);
        QVERIFY(!List()->isWrapping());
        Open(16);
        QVERIFY(List()->isWrapping());
        QCOMPARE(List()->gridSize().width(), List()->viewport()->width() / 2);
        Open(40);
        QVERIFY(List()->visualItemRect(List()->item(39)).left() > List()->visualItemRect(List()->item(0)).left());
        QTRY_VERIFY(List()->horizontalScrollBar()->isVisible());  // the columns beyond the second
    }

    // Far more entries than three digits hold, dragged where they show.
    void twelveHundredEntries()
    {
        Open(1200);
        List()->scrollToItem(List()->item(1099));
        const DragRecord drag = DragEntry(*form_, 1099, EntryCentre(*form_, 1098));
        QVERIFY(drag.accepted);
        QCOMPARE(List()->item(1098)->text(), QStringLiteral("1100: S1100"));
        QCOMPARE(List()->item(1098)->data(Qt::UserRole).toInt(), 1100);
        QCOMPARE(form_->Arrangement().Entries()[1098].slab, 1100);
        QCOMPARE(form_->Arrangement().Entries()[1099].slab, 1099);
    }
};

QTEST_MAIN(DataReplaceTest)
#include "data_replace_test.moc"
