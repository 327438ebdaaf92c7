// The pictures on a screen with twice the pixel density: each picture pixel must become a crisp
// 2 x 2 block, never a blend of its neighbours.

#include <QtTest>

#include "tests/fakes.h"
#include "ui/mainwindow.h"

using namespace dyx;
using namespace dyx::testing;

class HighDensityTest : public QObject {
    Q_OBJECT
private slots:
    void picturesScaleByWholePixels() {
        Trace trace;
        MainWindow window(std::make_unique<FakePlayer>(trace, "effects"),
                          std::make_unique<FakePlayer>(trace, "music"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage board = window.centralWidget()->grab().toImage();
        QCOMPARE(board.devicePixelRatio(), 2.0);
        // The background's one-pixel green line down the left edge, rows 206 to the ground.
        const QColor sky(0, 0, 255);
        const QColor green = board.pixelColor(0, 2 * 250);
        QVERIFY(green != sky);
        for (int y = 2 * 210; y < 2 * 290; ++y) {
            QCOMPARE(board.pixelColor(0, y), green);
            QCOMPARE(board.pixelColor(1, y), green);
            QCOMPARE(board.pixelColor(2, y), sky);
        }
    }
};

QTEST_MAIN(HighDensityTest)
#include "hidpi_test.moc"
