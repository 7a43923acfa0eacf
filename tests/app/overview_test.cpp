// The overview window over the sample: it follows the data row by row,
// sorts, filters the NG slabs, shows a chosen slab in the main window,
// copies rows for a spreadsheet and keeps its size.
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include "WindowDriver.h"
#include "app/SlabOverviewModel.h"
#include "app/Uoverview.h"

using korvexa::app::SlabOverviewModel;

class OverviewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;

    QString Sample()
    {
        const QString copy = files_.filePath(QStringLiteral("sample.slab"));
        QFile::remove(copy);
        QFile::copy(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"), copy);
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return copy;
    }

    TOverviewForm& Open()
    {
        w.Open(Sample());
        w.Action("MenuOverview")->trigger();
        TOverviewForm* overview = w.form->OverviewForm;
        if (!overview || !overview->isVisible())
            qFatal("the overview did not open");
        return *overview;
    }

    // The overview takes the keys and clicks (isActiveWindow() also holds
    // while its parent, the main window, is the active one).
    static void Activate(TOverviewForm& o)
    {
        o.activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == &o);
    }

    static QTableView* Table(TOverviewForm& o) { return o.findChild<QTableView*>(QStringLiteral("SlabTable")); }
    // The cell of the row shown at `row`, as text.
    static QString Shown(TOverviewForm& o, int row, int column)
    {
        return Table(o)->model()->index(row, column).data(SlabOverviewModel::PlainRole).toString();
    }

    // Slab 7 (S7 機械室, 16δ/Lx = 1/227) judged by 16δ/Lx: NG by deflection.
    void MakeSevenNg()
    {
        w.form->ShowSlabAt(7);
        w.Find<QCheckBox>("Conditional")->click();
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }
    void cleanup() { w.form.reset(); }

    void followsEveryChangeRowByRow()
    {
        TOverviewForm& o = Open();
        SlabOverviewModel& model = o.Model();
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.rowCount(), 15);
        QCOMPARE(model.CountText(), QStringLiteral("計 15 枚、NG 0 枚"));

        MakeSevenNg();  // an edit
        QVERIFY(model.IsNg(6));
        QVERIFY(model.index(6, SlabOverviewModel::Judgement).data().toString().startsWith(QStringLiteral("NG　16δ/Lx=1/227＞1/250")));
        QVERIFY(model.index(6, SlabOverviewModel::Deflection).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model.index(6, SlabOverviewModel::Name).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model.index(5, SlabOverviewModel::Name).data(Qt::BackgroundRole).isValid());
        QCOMPARE(o.findChild<QLabel*>(QStringLiteral("CountLabel"))->text(), QStringLiteral("計 15 枚、NG 1 枚"));
        QCOMPARE(changed.last().value(0).toModelIndex().row(), 6);  // that row alone
        QCOMPARE(changed.last().value(1).toModelIndex().row(), 6);

        w.form->ShowSlabAt(15);
        w.Action("SlabAddButton")->trigger();  // a new slab, not designed yet
        QCOMPARE(model.rowCount(), 16);
        QCOMPARE(model.index(15, SlabOverviewModel::Name).data().toString(), QStringLiteral("S16"));
        QVERIFY(model.index(15, SlabOverviewModel::Judgement).data().toString().startsWith(QStringLiteral("未計算　Lx")));
        QVERIFY(model.index(15, SlabOverviewModel::No).data().toString().startsWith(QStringLiteral("▶")));
        w.Action("SlabDeleteButton")->trigger();
        QCOMPARE(model.rowCount(), 15);
        w.Action("MenuUndo")->trigger();  // the deletion
        w.Action("MenuUndo")->trigger();  // the addition
        w.Action("MenuUndo")->trigger();  // the edit of slab 7
        QCOMPARE(model.rowCount(), 15);
        QVERIFY(!model.IsNg(6));
        QCOMPARE(resets.size(), 0);  // nothing built again so far

        QVERIFY(w.form->OpenParamFile(Sample()));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model.rowCount(), 15);
        QVERIFY(!o.isHidden());
    }

    void sortsAndFiltersNg()
    {
        TOverviewForm& o = Open();
        MakeSevenNg();
        QTableView* table = Table(o);
        table->sortByColumn(SlabOverviewModel::Deflection, Qt::DescendingOrder);
        QCOMPARE(Shown(o, 0, SlabOverviewModel::No), QStringLiteral("7"));
        table->sortByColumn(SlabOverviewModel::Moment, Qt::DescendingOrder);
        double last = 1e9;
        for (int row = 0; row < 15; ++row) {
            const double ratio = Shown(o, row, SlabOverviewModel::Moment).toDouble();
            QVERIFY(ratio <= last);
            last = ratio;
        }
        table->sortByColumn(SlabOverviewModel::Ly, Qt::AscendingOrder);  // one-way slabs have none: last
        QVERIFY(Shown(o, 14, SlabOverviewModel::Ly).isEmpty());
        QVERIFY(!Shown(o, 0, SlabOverviewModel::Ly).isEmpty());
        table->sortByColumn(SlabOverviewModel::Name, Qt::AscendingOrder);  // S2 before S10
        QVERIFY(Shown(o, 1, SlabOverviewModel::Name).startsWith(QStringLiteral("S2 ")));
        QVERIFY(Shown(o, 9, SlabOverviewModel::Name).startsWith(QStringLiteral("S10 ")));

        o.findChild<QCheckBox*>(QStringLiteral("NgOnly"))->click();
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(Shown(o, 0, SlabOverviewModel::No), QStringLiteral("7"));
        w.Action("MenuUndo")->trigger();  // OK again: the filter lets it go
        QCOMPARE(table->model()->rowCount(), 0);
    }

    void doubleClickAndEnterShowTheSlab()
    {
        TOverviewForm& o = Open();
        QTableView* table = Table(o);
        table->sortByColumn(SlabOverviewModel::No, Qt::DescendingOrder);
        Activate(o);
        const QRect cell = table->visualRect(table->model()->index(2, SlabOverviewModel::Name));
        // A press, then the double click as the window system delivers it
        // (QTest's double click does not reach an item view offscreen).
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QMouseEvent twice(QEvent::MouseButtonDblClick, cell.center(), table->viewport()->mapToGlobal(cell.center()),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &twice);
        QCOMPARE(w.form->CurrentIndex(), 13);
        QCOMPARE(w.Info(), QStringLiteral("13/15"));

        table->setFocus();
        table->setCurrentIndex(table->model()->index(5, SlabOverviewModel::Name));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(w.form->CurrentIndex(), 10);
        QVERIFY(table->model()->index(5, SlabOverviewModel::No).data().toString().startsWith(QStringLiteral("▶")));
    }

    void copiesTheSelectedRowsAsTabSeparatedText()
    {
        TOverviewForm& o = Open();
        QTableView* table = Table(o);
        table->selectRow(0);
        table->selectionModel()->select(table->model()->index(11, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Activate(o);
        table->setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);  // header, two rows, and the end of the last line
        QCOMPARE(lines[0], QStringLiteral("No.\t名称\t周辺拘束条件\tLx (m)\tLy (m)\tt (cm)\t荷重ケース\t最大M検定比\t"
                                          "最大Q検定比\tたわみ判定\t必要スラブ厚 (cm)\tfv (Hz)\t判定"));
        const QStringList first = lines[1].split(QLatin1Char('\t'));
        QCOMPARE(first.size(), 13);
        QCOMPARE(first.mid(0, 7), (QStringList{QStringLiteral("1"), QStringLiteral("S1 事務室"), QStringLiteral("四辺固定(精算)"),
                                               QStringLiteral("4.00"), QStringLiteral("6.00"), QStringLiteral("15.0"),
                                               QStringLiteral("長期")}));
        QCOMPARE(first[9], QStringLiteral("t/Lx=1/27≧1/30 OK"));
        QCOMPARE(first[12], QStringLiteral("OK"));
        QCOMPARE(lines[2].split(QLatin1Char('\t')).mid(0, 5),
                 (QStringList{QStringLiteral("12"), QStringLiteral("S12 デッキ一方向"), QStringLiteral("両端固定一方向"),
                              QStringLiteral("2.40"), QString()}));
        QVERIFY(lines[3].isEmpty());
    }

    void keepsItsSizeAndLeavesNoOtherWindowBlocked()
    {
        TOverviewForm& o = Open();
        QVERIFY(!o.isModal());
        o.resize(700, 300);
        o.close();
        w.form.reset();
        TOverviewForm& again = Open();
        QCOMPARE(again.size(), QSize(700, 300));
        w.form->activateWindow();  // the main window takes input while it is open
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.Type("TInput", QStringLiteral("16"));
        QCOMPARE(again.Model().index(0, SlabOverviewModel::T).data().toString(), QStringLiteral("16.0"));
    }
};

QTEST_MAIN(OverviewTest)
#include "overview_test.moc"
