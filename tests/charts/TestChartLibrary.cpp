#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "base/FormDesign.h"
#include "charts/ArGraph.h"
#include "charts/ChartLibrary.h"
#include "charts/LevelGraph.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestChartLibrary : public QObject
{
    Q_OBJECT

private slots:
    void chartsCreateThemselvesByName();
    void designFileCarriesPensAndFonts();
};

void TestChartLibrary::chartsCreateThemselvesByName()
{
    RegisterChartLibrary();
    RegisterChartLibrary(); // a second call registers nothing twice
    QCOMPARE(RegisteredElementClasses().count(QStringLiteral("TLevelGraph")), 1);
    std::unique_ptr<QWidget> chart(CreateElement(QStringLiteral("TLevelGraph")));
    QVERIFY(qobject_cast<TLevelGraph *>(chart.get()));
    std::unique_ptr<QWidget> graph(CreateElement(QStringLiteral("TArGraph")));
    QVERIFY(qobject_cast<TArGraph *>(graph.get()));
}

// The trend windows' designs give the dotted grid, the wide border and the label fonts.
void TestChartLibrary::designFileCarriesPensAndFonts()
{
    RegisterChartLibrary();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FormGraph.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({ "components": [
      { "class": "TLevelGraph", "name": "LevelGraph1", "geometry": [0, 0, 400, 200],
        "properties": { "BorderPen": { "Width": 2 }, "LabelNetPen": { "Color": 128, "Style": 2 },
                        "XScaleFont": { "Name": "Arial", "Height": -11 },
                        "YScaleFont": { "Name": "Arial", "Height": -13, "Style": 1 },
                        "LegendFont": { "Color": 255 }, "SecondNetPen": { "Style": 1 },
                        "CursorPen": { "Color": 65280 }, "WinLimitsPen": { "Width": 3 },
                        "CurrentGraph": 2, "GraphPen": { "Color": 16711680, "Width": 2 } } },
      { "class": "TArGraph", "name": "ArGraph1", "geometry": [0, 200, 400, 200],
        "properties": { "NetPen": { "Style": 2 }, "CurrentGraphPen": { "Width": 4 } } } ] })");
    file.close();
    QWidget form;
    const QList<QWidget *> components = LoadFormDesign(&form, path);
    QCOMPARE(components.size(), 2);
    auto *chart = qobject_cast<TLevelGraph *>(components[0]);
    QVERIFY(chart);
    QCOMPARE(chart->BorderPen().Width(), 2);
    QCOMPARE(chart->LabelNetPen().Style(), psDot);
    QCOMPARE(chart->LabelNetPen().Color(), TColor(128));
    QCOMPARE(chart->XScaleFont().Name(), QStringLiteral("Arial"));
    QCOMPARE(chart->YScaleFont().Height(), -13);
    QCOMPARE(chart->YScaleFont().Style(), int(fsBold));
    QCOMPARE(chart->LegendFont().Color(), TColor(255));
    QCOMPARE(chart->SecondNetPen().Style(), psDash);
    QCOMPARE(chart->CursorPen().Color(), TColor(65280));
    QCOMPARE(chart->WinLimitsPen().Width(), 3);
    QCOMPARE(chart->GetGraphPen(2).Color(), TColor(16711680));
    QCOMPARE(chart->GetGraphPen(0).Color(), TColor(clBlack));
    auto *graph = qobject_cast<TArGraph *>(components[1]);
    QVERIFY(graph);
    QCOMPARE(graph->NetPen().Style(), psDot);
    QCOMPARE(graph->CurrentGraphPen().Width(), 4);
}

TALMER_TEST(TestChartLibrary)
#include "TestChartLibrary.moc"
