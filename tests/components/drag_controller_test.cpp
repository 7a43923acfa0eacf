// The drag controller: the start distance, the drag image and its hot
// spot, the end of a drag, and the move notice.
#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include "components/DragController.h"

class DragControllerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startDistanceIsTestedPerAxis_data()
    {
        const int d = QApplication::startDragDistance();
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<bool>("starts");
        QTest::newRow("at the distance in x") << QPoint(d, 0) << false;
        QTest::newRow("past it in x") << QPoint(d + 1, 0) << true;
        QTest::newRow("past it in -y") << QPoint(0, -d - 1) << true;
        QTest::newRow("at it in both") << QPoint(d, d) << false;  // not the sum of both
        QTest::newRow("past it in -x") << QPoint(-d - 1, 1) << true;
    }
    void startDistanceIsTestedPerAxis()
    {
        QFETCH(QPoint, moved);
        QFETCH(bool, starts);
        const QPoint from(40, 30);
        QCOMPARE(TDragController::PassedStartDistance(from, from + moved), starts);
    }

    void endWithoutBeginAndDragWithoutImage()
    {
        QWidget source;
        TDragController controller;
        controller.EndDrag();
        QVERIFY(!controller.Dragging());
        TDragObj* drag = controller.BeginDrag(&source);
        QVERIFY(controller.Dragging());
        QCOMPARE(drag->Controller(), &controller);
        QVERIFY(drag->pixmap().isNull());  // no image is shown
        controller.EndDrag();
        QVERIFY(controller.DragObject() == nullptr);
        QVERIFY(!controller.Dragging());
    }

    // The image set before the drag goes with it; one set during the drag
    // takes effect at once; the transparent colour is left out; the end of
    // a drag forgets the image.
    void imageAndHotSpot()
    {
        QWidget source;
        TDragController controller;
        QPixmap picture(20, 10);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(0, 0, 5, 10, Qt::black);
        controller.SetDragImage(picture, Qt::white, QPoint(0, -10));
        TDragObj* drag = controller.BeginDrag(&source);
        QCOMPARE(drag->pixmap().size(), QSize(20, 10));
        QCOMPARE(drag->hotSpot(), QPoint(0, -10));
        const QImage shown = drag->pixmap().toImage();
        QCOMPARE(qAlpha(shown.pixel(2, 5)), 255);
        QCOMPARE(qAlpha(shown.pixel(15, 5)), 0);

        QPixmap wider(30, 12);
        wider.fill(Qt::black);
        controller.SetDragImage(wider, Qt::white, QPoint(0, -12));
        QCOMPARE(drag->pixmap().size(), QSize(30, 12));
        QCOMPARE(drag->hotSpot(), QPoint(0, -12));

        controller.EndDrag();
        QVERIFY(controller.DragImage().isNull());
        QVERIFY(controller.BeginDrag(&source)->pixmap().isNull());
        controller.EndDrag();
    }

    void movesAreReportedOnlyDuringADrag()
    {
        QWidget source;
        TDragController controller;
        QList<QVariantList> moves;
        controller.OnDragMove = [&](bool accepted, int x, int y) { moves << QVariantList{accepted, x, y}; };
        controller.DragMoved(true, QPoint(1, 2));
        controller.BeginDrag(&source);
        controller.DragMoved(false, QPoint(3, 4));
        controller.EndDrag();
        controller.DragMoved(true, QPoint(5, 6));
        QCOMPARE(moves, (QList<QVariantList>{{false, 3, 4}}));
    }
};

QTEST_MAIN(DragControllerTest)
#include "drag_controller_test.moc"
