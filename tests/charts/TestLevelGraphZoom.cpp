#include "ChartFixture.h"
#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {

void Wheel(QWidget *widget, QPoint pos, int delta)
{
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void Drag(QWidget *widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    // Several steps, as a hand moves; each step pans from where the press began.
    for (int i = 1; i <= 4; ++i) {
        const QPoint at = from + (to - from) * i / 4;
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

QString ToolTipAt(QWidget *widget, QPoint pos)
{
    QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

// Zoom, pan and hover of the trend chart's time axis, driven with real events.
class TestLevelGraphZoom : public QObject
{
    Q_OBJECT

    std::unique_ptr<TLevelGraph> m_chart;
    int m_zooms = 0;

private slots:
    void init()
    {
        m_chart = MakeChart();
        m_chart->resize(1500, 200); // two pixels per slot
        m_chart->SetGraphCount(2);
        m_chart->SetScaleYFormat(QStringLiteral("###0"));
        m_chart->SetLegendStrings({QStringLiteral("Текущая"), QString()});
        m_chart->GetGraphPen(0).SetColor(clRed);
        m_chart->GetGraphPen(1).SetColor(clBlue);
        for (int slot = 0; slot < 720; ++slot)
            if (slot < 300 || slot >= 310) // ten empty minutes
                m_chart->AddPoint(0, SlotTime(*m_chart, slot), 100 + slot % 50);
        m_chart->AddPoint(1, SlotTime(*m_chart, 200), 7);
        m_zooms = 0;
        m_chart->SetOnZoom([this](TLevelGraph *) { ++m_zooms; });
        m_chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chart.get()));
        m_chart->CalcRegion();
    }
    void cleanup() { m_chart.reset(); }

    void wheelKeepsSlotUnderPointer_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<double>("shownShare"); // of the whole interval afterwards
        QTest::newRow("one notch in the middle") << 380 << QList<int> {120} << 0.8;
        QTest::newRow("three notches left of the middle")
            << 150 << QList<int> {120, 120, 120} << 0.512;
        QTest::newRow("in twice, out once, near the right")
            << 1300 << QList<int> {240, -120} << 0.8;
        QTest::newRow("out when not zoomed stays whole") << 380 << QList<int> {-120} << 1.0;
    }
    void wheelKeepsSlotUnderPointer()
    {
        QFETCH(int, x);
        QFETCH(QList<int>, deltas);
        QFETCH(double, shownShare);
        const double slot = m_chart->ScreenToIX(x);
        for (int delta : deltas) {
            Wheel(m_chart.get(), QPoint(x, 100), delta);
            m_chart->CalcRegion();
            QVERIFY2(std::abs(m_chart->ScreenToIX(x) - slot) < 1e-6,
                     qPrintable(QString::number(m_chart->ScreenToIX(x))));
        }
        const double shown = m_chart->IsZoomed() ? m_chart->View().Count : 720;
        QVERIFY2(std::abs(shown / 720 - shownShare) < 1e-9, qPrintable(QString::number(shown)));
        QCOMPARE(m_zooms > 0, shownShare < 1);
    }

    void panThenWholeInterval_data()
    {
        QTest::addColumn<QString>("back");
        QTest::newRow("double click") << "double click";
        QTest::newRow("context action") << "action";
    }
    void panThenWholeInterval()
    {
        QFETCH(QString, back);
        Wheel(m_chart.get(), QPoint(380, 100), 360);
        m_chart->CalcRegion();
        const double grabbed = m_chart->ScreenToIX(400);
        const TSlotView zoomed = m_chart->View();
        Drag(m_chart.get(), QPoint(400, 100), QPoint(300, 100));
        m_chart->CalcRegion();
        // The slot taken by the press follows the pointer; the width of the view stays.
        QVERIFY(std::abs(m_chart->ScreenToIX(300) - grabbed) < 1e-6);
        QCOMPARE(m_chart->View().Count, zoomed.Count);
        QVERIFY(m_chart->View().First > zoomed.First);
        // Dragged past the end, the view stops at the interval's last slot.
        Drag(m_chart.get(), QPoint(1400, 100), QPoint(40, 100));
        QCOMPARE(m_chart->View().First + m_chart->View().Count, 720.0);

        if (back == QLatin1String("double click"))
            QTest::mouseDClick(m_chart.get(), Qt::LeftButton, {}, QPoint(200, 100));
        else
            m_chart->ActionWholeInterval()->trigger();
        QVERIFY(!m_chart->IsZoomed());
        m_chart->CalcRegion();
        QCOMPARE(m_chart->ScreenToIX(m_chart->Geometry().PlotLeft), 0.0);
    }

    void dragWithoutZoomMovesOnlyTheCursor()
    {
        Drag(m_chart.get(), QPoint(400, 100), QPoint(300, 100));
        QVERIFY(!m_chart->IsZoomed());
        QCOMPARE(m_zooms, 0);
        QCOMPARE(m_chart->GetCursorTime(), m_chart->ScreenToTime(400));
    }

    void timeLabelsFollowTheZoom_data()
    {
        QTest::addColumn<double>("spanMinutes");
        QTest::addColumn<double>("plotWidth");
        QTest::addColumn<double>("stepMinutes");
        QTest::addColumn<QString>("format");
        QTest::newRow("half an hour") << 30.0 << 700.0 << 5.0 << "hh:mm";
        QTest::newRow("a quarter hour on a narrow plot") << 15.0 << 150.0 << 10.0 << "hh:mm";
        QTest::newRow("eight hours") << 480.0 << 1400.0 << 30.0 << "hh:mm";
        QTest::newRow("two days") << 2880.0 << 1100.0 << 360.0 << "dd.mm hh:mm";
        QTest::newRow("two weeks") << 20160.0 << 1100.0 << 2880.0 << "dd.mm";
        QTest::newRow("a month") << 43200.0 << 1100.0 << 10080.0 << "dd.mm";
    }
    void timeLabelsFollowTheZoom()
    {
        QFETCH(double, spanMinutes);
        QFETCH(double, plotWidth);
        QFETCH(double, stepMinutes);
        QFETCH(QString, format);
        const TTimeLabels labels = ZoomTimeLabels(spanMinutes * OneMinute, plotWidth);
        QCOMPARE(std::round(labels.Step / OneMinute), stepMinutes);
        QCOMPARE(labels.Format, format);
    }

    void zoomedGridDrawsMinuteLabels()
    {
        // Zoomed to 20 minutes, grid lines come every few minutes instead of every two hours.
        m_chart->SetView({100, 20});
        m_chart->CalcRegion();
        QVERIFY(m_chart->FirstXNet() > SlotTime(*m_chart, 100));
        QVERIFY(m_chart->FirstXNet() < SlotTime(*m_chart, 110));
    }

    void liveAppendWhileZoomed_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("expectedFirst");
        // The data end at slot 600 when the sample of slot 640 arrives.
        QTest::newRow("view shows the newest minute follows it") << 560.0 << 581.0;
        QTest::newRow("view on older data stays") << 100.0 << 100.0;
    }
    void liveAppendWhileZoomed()
    {
        QFETCH(double, first);
        QFETCH(double, expectedFirst);
        m_chart->ResetData();
        for (int slot = 0; slot <= 600; ++slot)
            m_chart->AddPoint(0, SlotTime(*m_chart, slot), 100);
        m_chart->SetView({first, 60});
        m_chart->AddPoint(0, SlotTime(*m_chart, 640), 120);
        QCOMPARE(m_chart->View().First, expectedFirst);
        QCOMPARE(m_chart->View().Count, 60.0);
    }

    void hoverShowsTimeAndValues_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<QStringList>("unwanted");
        QTest::newRow("both curves filled") << 200
                                            << QStringList {"08.12.2026 11:20", "color:#ff0000",
                                                            "Текущая: 100", "color:#0000ff", "■ 7<"}
                                            << QStringList {};
        QTest::newRow("empty slot is blank")
            << 305 << QStringList {"08.12.2026 13:05", "■ Текущая: <", "■ <"}
            << QStringList {"Текущая: 1"};
    }
    void hoverShowsTimeAndValues()
    {
        QFETCH(int, slot);
        QFETCH(QStringList, wanted);
        QFETCH(QStringList, unwanted);
        const int x = int(std::lround(m_chart->IndexToScreenX(slot + 0.5)));
        const QString text = ToolTipAt(m_chart.get(), QPoint(x, 100));
        for (const QString &part : wanted)
            QVERIFY2(text.contains(part), qPrintable(text + " lacks " + part));
        for (const QString &part : unwanted)
            QVERIFY2(!text.contains(part), qPrintable(text + " has " + part));
    }

    void hoverOutsideThePlotShowsNothing()
    {
        QVERIFY(ToolTipAt(m_chart.get(), QPoint(5, 100)).isEmpty());
    }
};

TALMER_TEST(TestLevelGraphZoom)
#include "TestLevelGraphZoom.moc"
