#include "TestMain.h"
#include "charts/ArGraph.h"

#include <QTest>

namespace {

QImage RenderRgb(TArGraph &graph)
{
    return graph.Render().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The array graph: property limits, the no-data rule, axes and nets on rendered pixels.
class TestArGraph : public QObject
{
    Q_OBJECT

private slots:
    void limits_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("GraphCount 0") << QByteArray("GraphCount") << 0 << false;
        QTest::newRow("GraphCount 65") << QByteArray("GraphCount") << 65 << false;
        QTest::newRow("GraphCount 64") << QByteArray("GraphCount") << 64 << true;
        QTest::newRow("GraphSize 2") << QByteArray("GraphSize") << 2 << false;
        QTest::newRow("GraphSize 4097") << QByteArray("GraphSize") << 4097 << false;
        QTest::newRow("GraphSize 3") << QByteArray("GraphSize") << 3 << true;
        QTest::newRow("CursorX = GraphSize") << QByteArray("CursorX") << 720 << false;
        QTest::newRow("CursorX last") << QByteArray("CursorX") << 719 << true;
        QTest::newRow("CursorX negative") << QByteArray("CursorX") << -1 << false;
        QTest::newRow("CurrentGraph = GraphCount") << QByteArray("CurrentGraph") << 2 << false;
        QTest::newRow("CurrentGraph 1") << QByteArray("CurrentGraph") << 1 << true;
        QTest::newRow("LabelDX 0") << QByteArray("LabelDX") << 0 << false;
        QTest::newRow("NetDX 0") << QByteArray("NetDX") << 0 << false;
        QTest::newRow("NetDY 0") << QByteArray("NetDY") << 0 << false;
        QTest::newRow("LabelDY 0 (endless ticks)") << QByteArray("LabelDY") << 0 << false;
    }
    void limits()
    {
        QFETCH(QByteArray, property);
        QFETCH(int, value);
        QFETCH(bool, accepted);
        TArGraph graph;
        const QVariant before = graph.property(property);
        graph.setProperty(property, value);
        QCOMPARE(graph.property(property) != before, accepted);
    }

    void curvesRebuiltOnResize()
    {
        TArGraph graph;
        QVERIFY(graph.SetGraphData({1800, 1900, 2000}, 1));
        QCOMPARE(graph.GraphValue(1, 2), 2000.0);
        QVERIFY(!graph.SetGraphData({1}, 2));
        graph.SetCurrentGraph(1);
        graph.SetCursorX(2);
        QCOMPARE(graph.GetCursorY(), 2000.0);
        graph.SetCursorY(2100);
        QCOMPARE(graph.GraphValue(1, 2), 2100.0);
        QCOMPARE(graph.GetGrColors(1), clBlue);
        graph.SetGrColors(1, clGreen);
        QCOMPARE(graph.CurrentGraphPen().Color(), clGreen);

        graph.SetGraphCount(8);
        QCOMPARE(graph.GraphValue(1, 2), 0.0);
        QCOMPARE(graph.GetCursorX(), 0);
        QCOMPARE(graph.GetCurrentGraph(), 0);
        QCOMPARE(graph.GetGrColors(1), clBlue);
        QCOMPARE(graph.GetGrColors(5), clNavy);
        QCOMPARE(graph.GetGrColors(6), clBlack);
        // Resets of several graphs one after another (and of one graph twice) never wait.
        TArGraph other;
        graph.ResetGraphics();
        other.ResetGraphics();
        graph.ResetGraphics();
        QCOMPARE(other.GetGraphCount(), 2);
    }

    void mapping()
    {
        TArGraph graph;
        graph.resize(400, 300); // plot 30..385 x 15..280
        graph.SetGraphSize(100);
        QCOMPARE(graph.XtoScreen(0), 30);
        QCOMPARE(graph.XtoScreen(50), 30 + 355 / 2);
        QCOMPARE(graph.YtoScreen(1000), 280);
        QCOMPARE(graph.YtoScreen(3000), 15);
        QCOMPARE(graph.YtoScreen(1950), 147); // 280 - 132.5, truncated
        graph.SetYMax(1700); // flat range: no division by zero
        QCOMPARE(graph.YtoScreen(1700), 280);
    }

    void drawing()
    {
        TArGraph graph;
        graph.resize(400, 300);
        graph.SetGraphSize(100);
        graph.SetViewNet(false);
        QList<double> rising, zeros(100, 0.0);
        for (int i = 0; i < 100; ++i)
            rising.append(i < 50 ? 1700 : 2000); // no data for the first half
        graph.SetGraphData(rising, 0);
        graph.SetGraphData(zeros, 1);
        const QImage image = RenderRgb(graph);
        const QColor grey(0xC0, 0xC0, 0xC0);
        const QColor red(0xFF, 0, 0);
        const int y2000 = graph.YtoScreen(2000);
        QCOMPARE(image.pixelColor(graph.XtoScreen(75), y2000), red);
        QCOMPARE(image.pixelColor(graph.XtoScreen(25), y2000), grey);
        // Curve 1 is all zeros with YMin 1700: nothing at the bottom line but the axis.
        QCOMPARE(image.pixelColor(graph.XtoScreen(25), graph.PlotBottom() - 3), grey);
        // Axes in black, ending in arrowheads at the far edges.
        QCOMPARE(image.pixelColor(200, graph.PlotBottom()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(397, graph.PlotBottom()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(graph.PlotLeft(), 3), QColor(Qt::black));
        QCOMPARE(image.pixelColor(graph.PlotLeft() + 2, 8), QColor(Qt::black));
        // A tick below the horizontal axis every LabelDX points.
        QCOMPARE(image.pixelColor(graph.XtoScreen(60), graph.PlotBottom() + 4), QColor(Qt::black));
        QCOMPARE(image.pixelColor(graph.XtoScreen(30), graph.PlotBottom() + 4),
                 graph.palette().color(QPalette::Button));

        graph.SetViewNet(true);
        graph.NetPen().SetColor(clGreen);
        const QImage net = RenderRgb(graph);
        QCOMPARE(net.pixelColor(graph.XtoScreen(10), 100), QColor(0, 0x80, 0));
        QCOMPARE(net.pixelColor(graph.XtoScreen(15), graph.YtoScreen(1720)), QColor(0, 0x80, 0));
        QCOMPARE(net.pixelColor(graph.XtoScreen(15), graph.YtoScreen(1730)), grey);
    }
};

TALMER_TEST(TestArGraph)
#include "TestArGraph.moc"
