#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "charts/ArGraph.h"
#include "charts/ChartLibrary.h"
#include "charts/LevelGraph.h"

#include <QTest>
#include <memory>

class TestChartLibrary : public QObject
{
    Q_OBJECT

private slots:
    void chartsCreateThemselvesByName();
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

TALMER_TEST(TestChartLibrary)
#include "TestChartLibrary.moc"
