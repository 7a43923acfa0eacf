// The data arrangement dialog driven by objectName: reordering by drag and
// by the move commands and keys, rename, delete, the undo of each step,
// the popup menu, the columns and the scrolling drag.
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
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
            if (dialog->isVisible())  // OK refused: the user gives up
                dialog->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
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
        QTest::newRow("empty: OK refused") << QStringLiteral(" 　") << true << QStringLiteral("  2: S2");
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

    // A right click selects the entry under it before the popup opens (on
    // no entry: none); the commands' enabling follows.
    void popupMenuEnabling()
    {
        Open(2);
        QWidget* viewport = List()->viewport();
        const auto rightClick = [&](const QPoint& at) {
            QTest::mouseClick(viewport, Qt::RightButton, {}, at);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &menu);
        };
        rightClick(EntryCentre(*form_, 1));
        QCOMPARE(popups_.size(), 1);
        QCOMPARE(List()->currentRow(), 1);
        for (const char* command : {"NameChange", "SlabDelete", "MoveUp", "MoveTop"})
            QVERIFY2(Action(command)->isEnabled(), command);
        QVERIFY(!Action("MoveDown")->isEnabled() && !Action("DeleteUndo")->isEnabled());

        rightClick(List()->visualItemRect(List()->item(1)).bottomLeft() + QPoint(5, 20));
        QVERIFY(List()->selectedItems().isEmpty());
        for (const char* command : {"NameChange", "SlabDelete", "MoveUp", "MoveDown", "DeleteUndo"})
            QVERIFY2(!Action(command)->isEnabled(), command);

        Select(0);
        Action("SlabDelete")->trigger();
        QVERIFY(Action("DeleteUndo")->isEnabled());
        Select(0);  // the last entry: it stays
        QVERIFY(Action("NameChange")->isEnabled());
        QVERIFY(!Action("SlabDelete")->isEnabled());
        Action("SlabDelete")->trigger();
        QCOMPARE(List()->count(), 1);
    }

    // Each move, by key or button, is one step; the undo takes them back
    // one at a time and names what it takes back.  The moved entry stays
    // selected.
    void movesAreEachOneUndoStep()
    {
        Open(5);
        Select(2);  // slab 3
        List()->setFocus();
        const struct {
            QKeyCombination key;
            std::vector<int> order;
            int row;
        } moves[] = {
            {QKeyCombination(Qt::ControlModifier, Qt::Key_Up), {1, 3, 2, 4, 5}, 1},
            {QKeyCombination(Qt::ControlModifier, Qt::Key_Home), {3, 1, 2, 4, 5}, 0},
            {QKeyCombination(Qt::ControlModifier, Qt::Key_End), {1, 2, 4, 5, 3}, 4},
            {QKeyCombination(Qt::ControlModifier, Qt::Key_Down), {1, 2, 4, 5, 3}, 4},  // at the end: nothing
        };
        std::vector<std::vector<int>> orders{Order()};
        for (const auto& move : moves) {
            QTest::keyClick(form_.get(), move.key.key(), move.key.keyboardModifiers());
            QCOMPARE(Order(), move.order);
            QCOMPARE(List()->currentRow(), move.row);
            QCOMPARE(List()->item(move.row)->text(), QStringLiteral("  3: S3"));
        }
        Select(0);  // the buttons act as the keys
        auto* toolBar = form_->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        qobject_cast<QToolButton*>(toolBar->widgetForAction(Action("MoveDown")))->click();
        QCOMPARE(Order(), (std::vector<int>{2, 1, 4, 5, 3}));
        QCOMPARE(Action("DeleteUndo")->text(), QStringLiteral("移動を元に戻す (&U)"));

        const std::vector<std::vector<int>> back = {{1, 2, 4, 5, 3}, {3, 1, 2, 4, 5}, {1, 3, 2, 4, 5}, {1, 2, 3, 4, 5}};
        for (const auto& order : back) {
            QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(Order(), order);
        }
        QVERIFY(!Action("DeleteUndo")->isEnabled());
    }

    void deleteKeyRenameAndUndoOfBoth()
    {
        Open(3);
        Select(1);
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Delete);
        QCOMPARE(Order(), (std::vector<int>{1, 3}));
        QCOMPARE(Action("DeleteUndo")->text(), QStringLiteral("削除データの復活 (&U)"));
        Rename(1, QStringLiteral("X"));
        QCOMPARE(Action("DeleteUndo")->text(), QStringLiteral("名称変更を元に戻す (&U)"));
        Action("DeleteUndo")->trigger();
        QCOMPARE(List()->item(1)->text(), QStringLiteral("  3: S3"));
        Action("DeleteUndo")->trigger();
        QCOMPARE(EntryTexts(*form_), (QStringList{QStringLiteral("  1: S1"), QStringLiteral("  2: S2"),
                                                  QStringLiteral("  3: S3")}));
        QCOMPARE(List()->currentRow(), 1);
    }

    // A refused drop leaves the selection on the dragged entry; a drop is
    // one undo step.
    void refusedDropKeepsTheDraggedEntrySelected()
    {
        Open(4);
        QWidget* viewport = List()->viewport();
        const QPoint below = List()->visualItemRect(List()->item(3)).bottomLeft() + QPoint(5, 20);
        form_->ExecDrag = [&](TDragObj* drag) {  // over entry 4, then off the entries, and let go
            QDragEnterEvent enter(EntryCentre(*form_, 3), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, {});
            QApplication::sendEvent(viewport, &enter);
            for (const QPoint& at : {EntryCentre(*form_, 3), below}) {
                QDragMoveEvent move(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(viewport, &move);
            }
        };
        const QPoint start = EntryCentre(*form_, 1);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, QApplication::startDragDistance() + 1));
        QCOMPARE(List()->currentRow(), 1);
        QVERIFY(List()->item(1)->isSelected());
        QCOMPARE(Order(), (std::vector<int>{1, 2, 3, 4}));

        QVERIFY(DragEntry(*form_, 0, EntryCentre(*form_, 3)).accepted);
        QCOMPARE(Order(), (std::vector<int>{2, 3, 4, 1}));
        Action("DeleteUndo")->trigger();
        QCOMPARE(Order(), (std::vector<int>{1, 2, 3, 4}));
    }

    // A drag resting at the list's far edge scrolls it, and the entry
    // under the pointer follows; off the edge the scrolling stops.
    void dragAtTheEdgeScrollsTheList()
    {
        Open(1500);  // two columns, scrolled sideways
        QListWidget* list = List();
        QScrollBar* bar = list->horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QWidget* viewport = list->viewport();
        const QPoint edge(viewport->width() - 3, viewport->height() / 2);
        const int shownFirst = list->row(list->itemAt(viewport->rect().center()));
        int dropRow = -1;
        form_->ExecDrag = [&](TDragObj* drag) {
            const QMimeData* what = drag->mimeData();
            QDragEnterEvent enter(edge, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &enter);
            QDragMoveEvent move(edge, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
            QTRY_VERIFY(bar->value() > bar->pageStep());  // several steps, without a move
            QVERIFY(form_->DragCnt->AutoScrolling());
            const QPoint middle = viewport->rect().center();
            QDragMoveEvent still(middle, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &still);
            QVERIFY(!form_->DragCnt->AutoScrolling());
            dropRow = list->currentRow();
            QCOMPARE(dropRow, list->row(list->itemAt(middle)));
            QDropEvent drop(middle, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &drop);
        };
        const QPoint start = EntryCentre(*form_, 0);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, QApplication::startDragDistance() + 1));
        QVERIFY2(dropRow > shownFirst + 20, qPrintable(QString::number(dropRow)));
        QCOMPARE(form_->Arrangement().Entries()[static_cast<std::size_t>(dropRow)].slab, 1);
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
