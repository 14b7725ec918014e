#include "ChartFixture.h"
#include "RecordingFeedback.h"
#include "TestMain.h"
#include "base/IniFile.h"
#include "base/Random.h"

#include <QTemporaryDir>
#include <QTest>

// The trend chart's value store, property rules, interval switch and pens file.
class TestLevelGraphData : public QObject
{
    Q_OBJECT

private slots:
    void sampleBeforeStartOverwritesSlotZero()
    {
        auto chart = MakeChart();
        const TMoment start = chart->GetStartTime();
        chart->AddPoint(0, start + 10 * OneSecond, 5);
        chart->AddPoint(0, start + 20 * OneSecond, 7);
        QVERIFY(chart->Store().Slot(0, 0).HasSecond);
        chart->AddPoint(0, start - OneHour, 3);
        const TrendSlot &s = chart->Store().Slot(0, 0);
        QCOMPARE(s.Value, 3.0);
        QCOMPARE(s.Value2, 3.0);
        QVERIFY(!s.HasSecond);
        // A later sample in slot 0 merges normally again.
        chart->AddPoint(0, start + 30 * OneSecond, 9);
        QCOMPARE(chart->Store().Slot(0, 0).Value2, 9.0);
        QVERIFY(chart->Store().Slot(0, 0).HasSecond);
    }

    void samplesMerge_data()
    {
        QTest::addColumn<QList<double>>("samples");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("value2");
        QTest::addColumn<bool>("hasSecond");
        QTest::newRow("one") << QList<double> {4} << 4.0 << 0.0 << false;
        QTest::newRow("1,3,2") << QList<double> {1, 3, 2} << 1.0 << 3.0 << true;
        QTest::newRow("3,1") << QList<double> {3, 1} << 1.0 << 3.0 << true;
        QTest::newRow("equal") << QList<double> {2, 2} << 2.0 << 0.0 << false;
        QTest::newRow("widened both ways") << QList<double> {2, 3, 0.5, 4} << 0.5 << 4.0 << true;
    }
    void samplesMerge()
    {
        QFETCH(QList<double>, samples);
        QFETCH(double, value);
        QFETCH(double, value2);
        QFETCH(bool, hasSecond);
        auto chart = MakeChart();
        for (double v : samples)
            chart->AddPoint(2, SlotTime(*chart, 5.5), v);
        const TrendSlot &s = chart->Store().Slot(2, 5);
        QVERIFY(s.Present);
        QCOMPARE(s.Value, value);
        QCOMPARE(s.Value2, value2);
        QCOMPARE(bool(s.HasSecond), hasSecond);
        QCOMPARE(chart->GetPoint(2, SlotTime(*chart, 5)), value);
    }

    void alarmAndAverage()
    {
        auto chart = MakeChart();
        chart->AddPoint(0, SlotTime(*chart, 3), 1, true);
        chart->AddPoint(0, SlotTime(*chart, 3.5), 2, false);
        QVERIFY(chart->Store().Slot(0, 3).Alarm);

        chart->SetAverageMode(true);
        chart->AddPoint(1, SlotTime(*chart, 3), 2);
        chart->AddPoint(1, SlotTime(*chart, 3.5), 4);
        QCOMPARE(chart->Store().Slot(1, 3).Value2, 2.0);
        QCOMPARE(chart->GetPoint(1, SlotTime(*chart, 3)), 3.0);
    }

    void samplesDropped_data()
    {
        QTest::addColumn<double>("slot");
        QTest::newRow("at the point-count limit") << 720.0;
        QTest::newRow("after stop") << 721.0;
        QTest::newRow("far after stop") << 5000.0;
    }
    void samplesDropped()
    {
        QFETCH(double, slot);
        auto chart = MakeChart();
        // The first and last slots already hold values: a dropped sample merges into neither.
        chart->AddPoint(0, SlotTime(*chart, 0), 5);
        chart->AddPoint(0, SlotTime(*chart, 719), 5);
        chart->AddPoint(0, SlotTime(*chart, slot), 42);
        for (int i = 0; i < TrendSlotCount; ++i) {
            const TrendSlot &s = chart->Store().Slot(0, i);
            QCOMPARE(bool(s.Present), i == 0 || i == 719);
            QVERIFY(!s.HasSecond);
        }
        QCOMPARE(chart->GetPoint(0, SlotTime(*chart, 719)), 5.0);
        QCOMPARE(chart->GetPoint(0, SlotTime(*chart, slot)), -1.0);
    }

    void lastSlotOfInterval_data()
    {
        QTest::addColumn<double>("intervalSeconds");
        QTest::addColumn<double>("secondStep");
        QTest::addColumn<int>("slotCount");
        QTest::addColumn<double>("sampleSeconds"); // from the start
        QTest::addColumn<int>("storedSlot"); // -1: dropped
        QTest::newRow("day to 06:59:59, record at 06:59")
            << 86399.0 << 60.0 << 1440 << 86340.0 << 1439;
        QTest::newRow("day to 06:59:59, record at the stop")
            << 86399.0 << 60.0 << 1440 << 86399.0 << 1439;
        QTest::newRow("shift to 18:59:59, record at 18:59:30")
            << 43199.0 << 60.0 << 720 << 43170.0 << 719;
        QTest::newRow("whole minutes, record at the stop")
            << 43200.0 << 60.0 << 720 << 43200.0 << -1;
        QTest::newRow("ten-second slots, partial last") << 125.0 << 10.0 << 13 << 121.0 << 12;
    }
    void lastSlotOfInterval()
    {
        QFETCH(double, intervalSeconds);
        QFETCH(double, secondStep);
        QFETCH(int, slotCount);
        QFETCH(double, sampleSeconds);
        QFETCH(int, storedSlot);
        auto chart = MakeChart(10, secondStep);
        chart->SetStopTime(chart->GetStartTime() + intervalSeconds * OneSecond);
        chart->CalcRegion();
        QCOMPARE(chart->GetIntervalPointCount(), slotCount);
        chart->AddPoint(0, chart->GetStartTime() + sampleSeconds * OneSecond, 42);
        for (int slot = 0; slot < TrendSlotCount; ++slot)
            QCOMPARE(chart->SlotValue(0, slot),
                     slot == storedSlot ? std::optional(42.0) : std::optional<double>());
    }

    void slotValueTellsEmptyFromMinusOne()
    {
        auto chart = MakeChart();
        chart->AddPoint(1, SlotTime(*chart, 4), -1);
        QCOMPARE(chart->GetPoint(1, SlotTime(*chart, 4)), -1.0);
        QCOMPARE(chart->SlotValue(1, 4), std::optional(-1.0));
        QCOMPARE(chart->SlotValue(1, 5), std::optional<double>());
        QCOMPARE(chart->SlotValue(16, 4), std::optional<double>());
        QCOMPARE(chart->SlotValue(1, -1), std::optional<double>());
        QCOMPARE(chart->SlotValue(1, TrendSlotCount), std::optional<double>());
    }

    void getPointAndDelPoint()
    {
        auto chart = MakeChart();
        const TMoment t = SlotTime(*chart, 10);
        QCOMPARE(chart->GetPoint(0, t), -1.0); // empty slot
        chart->AddPoint(0, t, 12);
        QCOMPARE(chart->GetPoint(0, t), 12.0);
        QCOMPARE(chart->GetPoint(-1, t), -1.0);
        QCOMPARE(chart->GetPoint(16, t), -1.0);
        chart->AddPoint(16, t, 1); // ignored, must not touch memory
        chart->DelPoint(0, t);
        QCOMPARE(chart->GetPoint(0, t), -1.0);
        chart->DelPoint(0, chart->GetStopTime() + OneHour); // index 3000: nothing to clear
        chart->DelPoint(-3, t);
    }

    void longIntervalStaysInsideTheStore()
    {
        // 12 hours of 10 s slots is 4320 slots, more than a graph holds: the first 3000 are kept.
        auto chart = MakeChart(4320, 10);
        QCOMPARE(chart->GetIntervalPointCount(), 4320);
        chart->AddPoint(0, SlotTime(*chart, 2999.5), 7);
        chart->AddPoint(0, SlotTime(*chart, 3000), 8);
        chart->AddPoint(0, SlotTime(*chart, 4000), 9);
        QCOMPARE(chart->GetPoint(0, SlotTime(*chart, 2999)), 7.0);
        QCOMPARE(chart->GetPoint(0, SlotTime(*chart, 4000)), -1.0);
        chart->SetMarkerCount(1);
        QCOMPARE(chart->Add_marker_point(0, SlotTime(*chart, 3500), 1, false), -1);
        chart->SetAutoYMax(true);
        chart->CheckAutoLimits();
        QCOMPARE(chart->GetYMax(), 7 + 0.15 * 7);
        const QImage image = chart->ExportImage(600, 200, false);
        QCOMPARE(image.size(), QSize(600, 200));
    }

    void markers()
    {
        auto chart = MakeChart();
        chart->SetMarkerCount(16);
        QCOMPARE(chart->GetMarkerCount(), 0);
        QCOMPARE(chart->Add_marker_point(0, 5, 1u, false), -1);
        chart->SetMarkerCount(2);
        QCOMPARE(chart->Add_marker_point(1, 5, 1u, false), 5);
        QCOMPARE(chart->Add_marker_point(1, 5, 4u, true), 5);
        QCOMPARE(chart->Store().MarkerWord(1, 5), 5u);
        QCOMPARE(chart->Add_marker_point(1, 5, 2u, false), 5);
        QCOMPARE(chart->Store().MarkerWord(1, 5), 2u);
        QCOMPARE(chart->Add_marker_point(2, 5, 1u, false), -1);
        QCOMPARE(chart->Add_marker_point(0, SlotTime(*chart, 719), 1u, false), 719);
        QCOMPARE(chart->Add_marker_point(0, SlotTime(*chart, 720), 1u, false), -1);

        chart->SetMarkerIx(1);
        chart->SetMarkerColor(clGreen);
        QCOMPARE(chart->GetMarkerColor(), clGreen);
        chart->SetMarkerIx(5); // not a row: refused
        QCOMPARE(chart->GetMarkerIx(), 1);
        chart->SetMarkerCount(1); // the index now points past the rows
        QCOMPARE(chart->GetMarkerColor(), 0);
        QCOMPARE(chart->GetMarkerHeight(), 0);
        chart->SetMarkerWidth(7);
        chart->SetMarkerIx(0);
        QCOMPARE(chart->GetMarkerWidth(), 1);
        QCOMPARE(chart->GetMarkerHeight(), 30);

        chart->ResetMarker(0);
        QCOMPARE(chart->Store().MarkerWord(0, 719), 0u);
    }

    void valueRangeRule_data()
    {
        QTest::addColumn<bool>("setMax");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expMin");
        QTest::addColumn<double>("expMax");
        // Start: 0..500.
        QTest::newRow("max below min pulls min") << true << -10.0 << -10.001 << -10.0;
        QTest::newRow("max equal to min") << true << 0.0 << -0.001 << 0.0;
        QTest::newRow("max fine") << true << 100.0 << 0.0 << 100.0;
        QTest::newRow("min above max pushes max") << false << 600.0 << 600.0 << 600.001;
        QTest::newRow("min fine") << false << 10.0 << 10.0 << 500.0;
        // Closer than any scale needs, but not closer than the rule's 0.001.
        QTest::newRow("max 0.005 above min kept") << true << 0.005 << 0.0 << 0.005;
        QTest::newRow("min 0.005 below max kept") << false << 499.995 << 499.995 << 500.0;
    }
    void valueRangeRule()
    {
        QFETCH(bool, setMax);
        QFETCH(double, value);
        QFETCH(double, expMin);
        QFETCH(double, expMax);
        auto chart = MakeChart();
        if (setMax)
            chart->SetYMax(value);
        else
            chart->SetYMin(value);
        QVERIFY(qAbs(chart->GetYMin() - expMin) < 1e-12);
        QVERIFY(qAbs(chart->GetYMax() - expMax) < 1e-12);
    }

    void slotWidth_data()
    {
        QTest::addColumn<bool>("viaDataStep");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expSecondStep");
        QTest::newRow("data step 90.4 s rounds") << true << 90.4 * OneSecond << 90.0;
        QTest::newRow("data step 0.5 s kept") << true << 0.5 * OneSecond << 0.5;
        QTest::newRow("data step below 10 ms ignored") << true << 0.005 * OneSecond << 60.0;
        QTest::newRow("second step 30") << false << 30.0 << 30.0;
        QTest::newRow("second step below 0.01 becomes 1") << false << 0.001 << 1.0;
    }
    void slotWidth()
    {
        QFETCH(bool, viaDataStep);
        QFETCH(double, value);
        QFETCH(double, expSecondStep);
        TLevelGraph chart;
        if (viaDataStep)
            chart.SetDataStep(value);
        else
            chart.SetSecondStep(value);
        QVERIFY(qAbs(chart.GetSecondStep() - expSecondStep) < 1e-9);
        if (!viaDataStep)
            QVERIFY(qAbs(chart.GetDataStep() - expSecondStep / 86400) < 1e-15);
    }

    void refusedValuesShowMessages_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        const QString range = QStringLiteral("Допускаются целые числа в диапазоне от 10 до 3000");
        QTest::newRow("ArraySize 9") << QByteArray("ArraySize") << QVariant(9) << range << "Ошибка";
        QTest::newRow("ArraySize 3001")
            << QByteArray("ArraySize") << QVariant(3001) << range << "Ошибка";
        QTest::newRow("IntervalSize")
            << QByteArray("IntervalSize") << QVariant(5) << "Это поле только для чтения 1."
            << "Справка";
        QTest::newRow("IntervalPointCount")
            << QByteArray("IntervalPointCount") << QVariant(5) << "Это поле только для чтения 2."
            << "Справка";
        QTest::newRow("DetectedYMin")
            << QByteArray("DetectedYMin") << QVariant(5.0) << "Это поле только для чтения 3."
            << "Справка";
        QTest::newRow("DetectedYMax")
            << QByteArray("DetectedYMax") << QVariant(5.0) << "Это поле только для чтения 4."
            << "Справка";
    }
    void refusedValuesShowMessages()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        RecordingFeedback feedback;
        auto chart = MakeChart();
        const QVariant before = chart->property(property);
        QVERIFY(chart->setProperty(property, value));
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), text);
        QCOMPARE(feedback.messages.last().caption, caption);
        QCOMPARE(chart->property(property), before);

        feedback.clear();
        chart->SetArraySize(3000);
        QCOMPARE(chart->GetArraySize(), 3000);
        QVERIFY(feedback.messages.isEmpty());
    }

    // Window designs set properties by name with the plain types a JSON file gives.
    void propertiesByName_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("colour") << QByteArray("BackColor") << QVariant(255);
        QTest::newRow("enumeration") << QByteArray("CursorType") << QVariant(2);
        QTest::newRow("text") << QByteArray("ScaleXFormat") << QVariant(QStringLiteral("hh:nn"));
        QTest::newRow("moment") << QByteArray("XLabelStep") << QVariant(0.125);
        QTest::newRow("switch") << QByteArray("ShowCursor") << QVariant(true);
        QTest::newRow("list") << QByteArray("LegendStrings")
                              << QVariant(QStringList {QStringLiteral("КС"), QString()});
    }
    void propertiesByName()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        TLevelGraph chart;
        QVERIFY(chart.setProperty(property, value));
        QVariant back = chart.property(property);
        QVERIFY(back.convert(value.metaType()));
        QCOMPARE(back, value);
    }

    void calcRegionRefusals_data()
    {
        QTest::addColumn<double>("xStep");
        QTest::addColumn<double>("yStep");
        QTest::addColumn<bool>("autoScale");
        QTest::addColumn<int>("slotCount");
        QTest::addColumn<bool>("drawable");
        QTest::newRow("normal") << OneHour << 100.0 << false << 720 << true;
        QTest::newRow("x step 100 ms") << 100 * OneMillisecond << 100.0 << false << 720 << false;
        QTest::newRow("x step 101 ms") << 101 * OneMillisecond << 100.0 << false << 720 << true;
        QTest::newRow("y step 0") << OneHour << 0.0 << false << 720 << false;
        QTest::newRow("y step 0 despite auto scale") << OneHour << 0.0 << true << 720 << false;
        QTest::newRow("no slots") << OneHour << 100.0 << false << 0 << false;
    }
    void calcRegionRefusals()
    {
        QFETCH(double, xStep);
        QFETCH(double, yStep);
        QFETCH(bool, autoScale);
        QFETCH(int, slotCount);
        QFETCH(bool, drawable);
        auto chart = MakeChart(slotCount);
        chart->SetXLabelStep(xStep);
        chart->SetYLabelStep(yStep);
        chart->SetAutoYScale(autoScale);
        QCOMPARE(chart->CalcRegion(), drawable);
        // The interval geometry is there even when drawing is refused, so samples still land.
        QCOMPARE(chart->GetIntervalPointCount(), slotCount);
    }

    void intervalSwitch()
    {
        auto chart = MakeChart();
        const TMoment day = EncodeMoment(2026, 12, 9);
        chart->SetNewIntervalAccepted(false);
        chart->SetNewStartTime(day);
        chart->SetNewStopTime(day + 0.5);
        chart->SetNewCursorTime(day + 0.25);
        QCOMPARE(chart->GetStartTime(), EncodeMoment(2026, 12, 8, 8)); // armed, not applied
        chart->SetNewIntervalAccepted(true);
        QCOMPARE(chart->GetStartTime(), day);
        QCOMPARE(chart->GetStopTime(), day + 0.5);
        QCOMPARE(chart->GetCursorTime(), day + 0.25);

        // A new start alone keeps it armed; switching on again changes nothing.
        chart->SetNewStartTime(day + 1);
        QVERIFY(chart->GetNewIntervalAccepted());
        chart->SetNewIntervalAccepted(true);
        QCOMPARE(chart->GetStartTime(), day);

        // A new stop (or cursor) disarms; the next switch-on applies all three.
        chart->SetNewStopTime(day + 1.5);
        QVERIFY(!chart->GetNewIntervalAccepted());
        chart->SetNewStopTime(day + 1.5);
        chart->SetNewIntervalAccepted(true);
        QCOMPARE(chart->GetStartTime(), day + 1);
        QCOMPARE(chart->GetStopTime(), day + 1.5);
        chart->SetNewCursorTime(day + 1.1);
        QVERIFY(!chart->GetNewIntervalAccepted());
    }

    void graphPens()
    {
        TLevelGraph chart;
        chart.SetCurrentGraph(3);
        QCOMPARE(&chart.GetGraphPen(-1), &chart.GetGraphPen(3));
        QCOMPARE(&chart.GetGraphPen(16), &chart.GetGraphPen(3));
        chart.SetCurrentGraph(40); // refused: GraphPen must always name a real pen
        QCOMPARE(chart.GetCurrentGraph(), 3);
        TPen pen;
        pen.SetColor(clGreen);
        pen.SetWidth(3);
        chart.SetGraphPen(-1, pen);
        QCOMPARE(chart.GetGraphPen(3).Color(), clGreen);
        QCOMPARE(chart.GetGraphPen(3).Width(), 3);
        QCOMPARE(chart.GetGraphPen(0).Color(), clBlack);
    }

    void pensFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("GraphColors.INI"));
        {
            TIniFile ini(file);
            ini.WriteInteger(QStringLiteral("LevelGraphPLS"), QStringLiteral("pc1"), clBlue);
            ini.WriteInteger(QStringLiteral("LevelGraphPLS"), QStringLiteral("PW1"), 4);
        }
        {
            TLevelGraph chart;
            chart.setObjectName(QStringLiteral("LevelGraphPLS"));
            chart.GetGraphPen(0).SetColor(clRed);
            chart.SetIniName(file);
            QCOMPARE(chart.GetGraphPen(1).Color(), clBlue);
            QCOMPARE(chart.GetGraphPen(1).Width(), 4);
            QCOMPARE(chart.GetGraphPen(0).Color(), clRed); // missing key: unchanged
            chart.GetGraphPen(5).SetColor(clAqua);
        } // destroyed: saves all 32 keys
        const TIniFile ini(file);
        QCOMPARE(ini.ReadSection(QStringLiteral("LevelGraphPLS")).size(), 32);
        QCOMPARE(ini.ReadInteger(QStringLiteral("LevelGraphPLS"), QStringLiteral("pc5"), 0),
                 clAqua);
        QCOMPARE(ini.ReadInteger(QStringLiteral("LevelGraphPLS"), QStringLiteral("pc0"), 0), clRed);
        QCOMPARE(ini.ReadInteger(QStringLiteral("LevelGraphPLS"), QStringLiteral("pw1"), 0), 4);
    }

    void demoData()
    {
        SeedRandom(7);
        auto chart = MakeChart();
        chart->SetGraphCount(3);
        chart->SetDemoData(true);
        for (int g = 0; g < 3; ++g) {
            int present = 0;
            for (int i = 0; i < 720; ++i)
                present += chart->Store().Slot(g, i).Present;
            QVERIFY(present >= 700);
        }
        QVERIFY(!chart->Store().Slot(3, 0).Present);
        chart->SetDemoData(false);
        QVERIFY(!chart->Store().Slot(0, 0).Present);
    }

    void autoLimitsScanEmptySlotsAsZero()
    {
        auto chart = MakeChart();
        chart->AddPoint(0, SlotTime(*chart, 1), 100);
        chart->SetAutoYMin(true);
        chart->SetAutoYMax(true);
        chart->CheckAutoLimits();
        QCOMPARE(chart->GetYMin(), 95.5);
        chart->SetEnablePresentArray(false);
        chart->CheckAutoLimits();
        QCOMPARE(chart->GetYMin(), -15.0); // 0..100 with 15 % margins
        QCOMPARE(chart->GetYMax(), 115.0);
    }
};

TALMER_TEST(TestLevelGraphData)
#include "TestLevelGraphData.moc"
