#include "Render.h"
#include "TestMain.h"
#include "elements/Arrow.h"

#include <QTest>
#include <cmath>

class TestArrow : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void horizontalPipePixels();
    void headOpening();
    void negativeEdgeLengthDrawsNoHead();
    void bubbleHandOver_data();
    void bubbleHandOver();
    void sourceEmitsAtInterval();
    void loopedChainStepsEachOnce_data();
    void loopedChainStepsEachOnce();
};

void TestArrow::geometry_data()
{
    QTest::addColumn<QSize>("box");
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("edge");
    QTest::addColumn<double>("halfLength");
    QTest::addColumn<QPoint>("tail");
    QTest::addColumn<QPoint>("shaftEnd");
    QTest::newRow("horizontal pipe")
        << QSize(155, 18) << 0.0 << 0 << 76.5 << QPoint(1, 9) << QPoint(154, 9);
    QTest::newRow("vertical pipe")
        << QSize(18, 155) << 90.0 << 0 << 76.5 << QPoint(9, 154) << QPoint(9, 1);
    QTest::newRow("leftward with head")
        << QSize(50, 50) << 180.0 << 5 << 24.0 << QPoint(49, 25) << QPoint(6, 25);
    QTest::newRow("diagonal") << QSize(40, 40) << 45.0 << 0 << 19.0 << QPoint(7, 33)
                              << QPoint(33, 7);
}

void TestArrow::geometry()
{
    QFETCH(QSize, box);
    QFETCH(double, angle);
    QFETCH(int, edge);
    QFETCH(double, halfLength);
    QFETCH(QPoint, tail);
    QFETCH(QPoint, shaftEnd);
    const TArrowGeometry g = TArrowGeometry::Compute(box.width(), box.height(), angle, edge, 60);
    QCOMPARE(g.halfLength, halfLength);
    QCOMPARE(g.tail, tail);
    QCOMPARE(g.shaftEnd, shaftEnd);
    QCOMPARE(g.head.isEmpty(), edge == 0);
}

void TestArrow::horizontalPipePixels()
{
    TArrow arrow;
    arrow.resize(155, 18);
    arrow.SetEdgeLength(0);
    const QImage image = Render(arrow);
    for (int x : {1, 40, 77, 120, 154})
        QCOMPARE(Pixel(image, x, 9), Rgb(clRed));
    for (int y : {8, 10}) // width 3
        QCOMPARE(Pixel(image, 77, y), Rgb(clRed));
    for (int y : {0, 6, 12, 17})
        QCOMPARE(Pixel(image, 77, y), Untouched);
}

void TestArrow::headOpening()
{
    TArrow arrow; // 50 x 50, head length 5, opening 60 degrees
    const TArrowGeometry g = arrow.Geometry();
    QCOMPARE(g.head.size(), 3);
    const QPoint base = g.head.at(1) - g.head.at(2);
    const double baseLength = std::hypot(base.x(), base.y());
    QVERIFY2(std::abs(baseLength - 2 * std::tan(M_PI / 6) * 5) < 0.5,
             qPrintable(QString::number(baseLength)));

    arrow.SetArrowWidth(1);
    const QImage image = Render(arrow);
    const int baseX = g.shaftEnd.x();
    const QRect column = BoundsOfOther(image, Untouched, QRect(baseX, 0, 1, 50));
    QCOMPARE(column.top(), std::min(g.head.at(1).y(), g.head.at(2).y()));
    QCOMPARE(column.bottom(), std::max(g.head.at(1).y(), g.head.at(2).y()));
    QCOMPARE(Pixel(image, g.tip.x(), g.tip.y()), Rgb(clRed));
    QCOMPARE(Pixel(image, g.tip.x(), g.tip.y() - 2), Untouched);
}

void TestArrow::negativeEdgeLengthDrawsNoHead()
{
    TArrow arrow;
    arrow.SetArrowWidth(1);
    arrow.SetEdgeLength(-3);
    const QImage image = Render(arrow);
    QCOMPARE(arrow.GetEdgeLength(), 0);
    // The shaft from (1, 25) to (49, 25) stops short of its end.
    QCOMPARE(BoundsOfOther(image, Untouched, image.rect()), QRect(1, 25, 48, 1));
}

void TestArrow::bubbleHandOver_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("handedOver");
    // 155 wide: the pipe is 153 long, a bubble of 3 is handed on once it passes 150.
    QTest::newRow("whole speed hands over once") << 2.0 << "0" << QStringList {"-1"};
    // 2.5 from -5 is whole every other step: at 155 it is past 150 and handed on as 155 - 153.
    QTest::newRow("fractional speed hands over at a whole position")
        << 2.5 << "-5" << QStringList {"2"};
}

void TestArrow::bubbleHandOver()
{
    QFETCH(double, speed);
    QFETCH(QString, start);
    QFETCH(QStringList, handedOver);
    QWidget form;
    TArrow first(&form);
    TArrow second(&form);
    first.resize(155, 18);
    second.resize(18, 155);
    first.SetNextArrow(&second);
    first.SetBubbleSpeed(speed);
    first.SetBubbleList({start});
    QStringList received;
    for (int step = 0; step < 100 && !first.GetBubbleList().isEmpty(); ++step) {
        first.BubbleStep();
        QCOMPARE(second.GetBubbleSpeed(), speed);
        for (const QString &bubble : second.GetBubbleList())
            if (!received.contains(bubble))
                received << bubble;
        second.SetBubbleList({});
    }
    QVERIFY(first.GetBubbleList().isEmpty());
    QCOMPARE(received, handedOver);
}

void TestArrow::sourceEmitsAtInterval()
{
    TArrow arrow;
    arrow.resize(155, 18);
    arrow.SetBubbleSource(true);
    arrow.BubbleStep();
    QCOMPARE(arrow.GetBubbleList(), QStringList {"-2"});
    // -2 moves by 2 per step and passes the interval of 5 at 6, when the next one starts at -3.
    arrow.BubbleStep();
    arrow.BubbleStep();
    arrow.BubbleStep();
    QCOMPARE(arrow.GetBubbleList().size(), 1);
    arrow.BubbleStep();
    QCOMPARE(arrow.GetBubbleList(), (QStringList {"6", "-3"}));
    // Chained arrows never emit, even as sources.
    TArrow chained;
    chained.SetBubbleSource(true);
    chained.BubbleStep(true);
    QVERIFY(chained.GetBubbleList().isEmpty());
}

void TestArrow::loopedChainStepsEachOnce_data()
{
    QTest::addColumn<int>("arrows");
    QTest::newRow("names itself") << 1;
    QTest::newRow("circulation of three") << 3;
}

void TestArrow::loopedChainStepsEachOnce()
{
    QFETCH(int, arrows);
    QWidget form;
    QList<TArrow *> chain;
    for (int i = 0; i < arrows; ++i) {
        chain << new TArrow(&form);
        chain.last()->resize(155, 18);
        chain.last()->SetBubbleList({"10", "150"});
    }
    for (int i = 0; i < arrows; ++i)
        chain[i]->SetNextArrow(chain[(i + 1) % arrows]);
    chain[0]->BubbleStep();
    // Every arrow moved its own bubbles once and received the one its predecessor handed on.
    for (TArrow *arrow : chain) {
        const QStringList bubbles = arrow->GetBubbleList();
        QCOMPARE(bubbles.size(), 3);
        QCOMPARE(bubbles.mid(0, 2), (QStringList {"12", "152.1"}));
    }
}

TALMER_TEST(TestArrow)
#include "TestArrow.moc"
