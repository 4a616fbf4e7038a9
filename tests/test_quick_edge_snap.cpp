// The quick finder's window is pulled onto a screen edge when let go within 25 pixels of it.
#include "quickfinder/logic/edge_snap.h"

#include <QTest>

using namespace verbalo;

class QuickEdgeSnapTest : public QObject {
    Q_OBJECT
private slots:
    void snap_data();
    void snap();
};

void QuickEdgeSnapTest::snap_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("snapped");
    // The work area is 0,0 - 1280x770 (a panel below); the window is 431x345.
    QTest::newRow("far from every edge stays") << QRect(300, 200, 431, 345) << QPoint(300, 200);
    QTest::newRow("25 px from the left edge snaps") << QRect(25, 200, 431, 345) << QPoint(0, 200);
    QTest::newRow("26 px from the left edge stays") << QRect(26, 200, 431, 345) << QPoint(26, 200);
    QTest::newRow("partly beyond the left edge snaps back") << QRect(-20, 200, 431, 345) << QPoint(0, 200);
    QTest::newRow("near the top edge") << QRect(300, 12, 431, 345) << QPoint(300, 0);
    QTest::newRow("near the right edge") << QRect(1280 - 431 - 10, 200, 431, 345) << QPoint(1280 - 431, 200);
    QTest::newRow("beyond the right edge") << QRect(1280 - 431 + 20, 200, 431, 345) << QPoint(1280 - 431, 200);
    QTest::newRow("near the bottom of the work area") << QRect(300, 770 - 345 - 24, 431, 345) << QPoint(300, 770 - 345);
    QTest::newRow("into a corner") << QRect(1280 - 431 - 3, 770 - 345 + 7, 431, 345) << QPoint(1280 - 431, 770 - 345);
    QTest::newRow("a window wider than the area keeps its left edge") << QRect(10, 200, 1300, 345) << QPoint(0, 200);
}

void QuickEdgeSnapTest::snap() {
    QFETCH(QRect, frame);
    QFETCH(QPoint, snapped);
    QCOMPARE(snappedToEdges(frame, QRect(0, 0, 1280, 770)), snapped);
}

QTEST_GUILESS_MAIN(QuickEdgeSnapTest)
#include "test_quick_edge_snap.moc"
