#include "ChartFixture.h"
#include "TestMain.h"

#include <QPainter>
#include <QTest>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor White(Qt::white);
const QColor NetGreen(0, 0x80, 0);
const QColor CurveRed(0xFF, 0, 0);
const QColor AlarmBlue(0, 0, 0xFF);

// A chart whose plot maps one slot to one pixel and one value unit to one pixel:
// x(slot) = 30 + slot for 340 slots from 08:00, y(v) = 109 - v for 0..100.
std::unique_ptr<TLevelGraph> MakePixelChart(int slotCount = 340)
{
    auto chart = MakeChart(slotCount);
    chart->resize(399, 124);
    chart->SetYMax(100);
    chart->SetYLabelStep(25);
    chart->SetXLabelStep(OneHour);
    chart->SetShowScaleX(false);
    chart->SetShowScaleY(false);
    chart->LabelNetPen().SetColor(clGreen);
    chart->GetGraphPen(0).SetColor(clRed);
    chart->SetAlarmColor(clBlue);
    return chart;
}

QImage Render(TLevelGraph &chart)
{
    chart.show();
    return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor At(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace

// What the trend chart draws, checked on rendered pixels at the points its geometry gives.
class TestLevelGraphPaint : public QObject
{
    Q_OBJECT

private slots:
    void gridLines()
    {
        auto chart = MakePixelChart();
        const QImage image = Render(*chart);
        QCOMPARE(chart->Geometry().PixelsPerPoint, 1.0);
        QCOMPARE(chart->Geometry().PixelsPerUnit, 1.0);
        QCOMPARE(At(image, 5, 5), Silver);
        QCOMPARE(At(image, 100, 70), White);
        // Hourly lines from 09:00 (slot 60) on.
        for (int x : {90, 150, 210, 270, 330})
            QCOMPARE(At(image, x, 70), NetGreen);
        QCOMPARE(At(image, 91, 70), White);
        QCOMPARE(At(image, 89, 70), White);
        // Value lines at 25, 50, 75, one row above their value's row.
        for (int y : {83, 58, 33})
            QCOMPARE(At(image, 100, y), NetGreen);
        QCOMPARE(At(image, 100, 84), White);
        QCOMPARE(At(image, 100, 9), Silver); // above the plot
    }

    void curveRunsBreaksAndAlarm_data()
    {
        // Thin pens are drawn straight into the image, wide ones through the general stroker.
        QTest::addColumn<int>("penWidth");
        QTest::newRow("thin pen") << 1;
        QTest::newRow("wide pen") << 3;
    }
    void curveRunsBreaksAndAlarm()
    {
        QFETCH(int, penWidth);
        auto chart = MakePixelChart();
        chart->GetGraphPen(0).SetWidth(penWidth);
        const auto alarm = [](int slot) {
            return slot >= 135 && slot <= 140;
        };
        for (int slot = 100; slot < 120; ++slot)
            chart->AddPoint(0, SlotTime(*chart, slot), 50);
        for (int slot = 130; slot < 150; ++slot)
            chart->AddPoint(0, SlotTime(*chart, slot), alarm(slot) ? 80 : 50, alarm(slot));
        // A slot holding 20 and 70 is a vertical stroke.
        chart->AddPoint(0, SlotTime(*chart, 199), 20);
        chart->AddPoint(0, SlotTime(*chart, 200), 20);
        chart->AddPoint(0, SlotTime(*chart, 200.5), 70);
        chart->AddPoint(0, SlotTime(*chart, 201), 70);
        const QImage image = Render(*chart);
        QCOMPARE(At(image, 140, 59), CurveRed);
        QCOMPARE(At(image, 155, 59), White); // slots 120..129 are empty: the run breaks
        QCOMPARE(At(image, 162, 59), CurveRed);
        QCOMPARE(At(image, 167, 29), AlarmBlue);
        QCOMPARE(At(image, 173, 59), CurveRed);
        QCOMPARE(At(image, 230, 65), CurveRed);
        QCOMPARE(At(image, 227, 65), White);

        // Without the present check the empty slots count as 0 and join the runs.
        chart->SetEnablePresentArray(false);
        const QImage joined = Render(*chart);
        QCOMPARE(At(joined, 155, 109), CurveRed);
    }

    void histogramSteps()
    {
        // 34 slots over 340 pixels: ten pixels per slot.
        auto chart = MakePixelChart(34);
        chart->AddPoint(0, SlotTime(*chart, 10), 20);
        chart->AddPoint(0, SlotTime(*chart, 11), 60);
        const QImage lines = Render(*chart);
        QCOMPARE(At(lines, 135, 69), CurveRed); // the diagonal passes here
        QCOMPARE(At(lines, 138, 49), White);

        chart->SetHistogramGraph(true);
        const QImage steps = Render(*chart);
        QCOMPARE(At(steps, 132, 89), CurveRed); // level of slot 10 up to halfway
        QCOMPARE(At(steps, 135, 69), CurveRed); // the step at halfway
        QCOMPARE(At(steps, 138, 49), CurveRed); // level of slot 11
        QCOMPARE(At(steps, 144, 49), CurveRed);
        QCOMPARE(At(steps, 138, 57), White);
        QCOMPARE(At(steps, 124, 89), White); // nothing before the first half slot
    }

    void cursorAndLimits_data()
    {
        QTest::addColumn<double>("slot");
        QTest::addColumn<int>("x");
        QTest::newRow("inside") << 200.0 << 230;
        QTest::newRow("before start: left edge") << -50.0 << 30;
        QTest::newRow("after stop: right edge") << 400.0 << 369;
    }
    void cursorAndLimits()
    {
        QFETCH(double, slot);
        QFETCH(int, x);
        auto chart = MakePixelChart();
        chart->CursorPen().SetColor(clBlue);
        chart->WinLimitsPen().SetColor(clRed);
        chart->SetCursorTime(SlotTime(*chart, slot));
        chart->SetWinLeftLimit(SlotTime(*chart, 250));
        chart->SetWinLeftLimitOK(true);
        chart->SetWinRightLimit(SlotTime(*chart, 260));
        QCOMPARE(At(Render(*chart), x, 70), White); // hidden until ShowCursor
        chart->SetShowCursor(true);
        const QImage image = Render(*chart);
        QCOMPARE(At(image, x, 70), AlarmBlue);
        QCOMPARE(At(image, 280, 70), CurveRed);
        QCOMPARE(At(image, 290, 70), White); // right limit not switched on
    }

    void markers()
    {
        auto chart = MakePixelChart();
        chart->SetMarkerCount(1);
        chart->Add_marker_point(0, 50, 1u, false);
        chart->Add_marker_point(0, 70, 1u | 4u, false);
        const QImage image = Render(*chart);
        const QColor magenta(0xFF, 0, 0xFF);
        QCOMPARE(At(image, 80, 95), magenta); // 30 % of the plot height
        QCOMPARE(At(image, 80, 70), White);
        QCOMPARE(At(image, 100, 60), magenta); // tall: twice the height, two pixels wide
        QCOMPARE(At(image, 101, 60), magenta);
        QCOMPARE(At(image, 100, 45), White);
    }

    void redrawOnlyWhenDirty()
    {
        auto chart = MakePixelChart();
        Render(*chart);
        QVERIFY(!chart->IsDirty());
        for (int slot = 100; slot <= 110; ++slot)
            chart->AddPoint(0, SlotTime(*chart, slot), 50);
        QCOMPARE(At(Render(*chart), 135, 59), White); // data alone does not redraw
        chart->UpdateChanges();
        QCOMPARE(At(Render(*chart), 135, 59), CurveRed);
    }

    // Limits found from the data in a redraw are the ones that redraw draws with: the first
    // picture is the one every later redraw repeats, and it spreads the curve over the plot.
    void automaticLimitsDrawnAtOnce()
    {
        auto chart = MakePixelChart();
        chart->SetAutoYMin(true);
        chart->SetAutoYMax(true);
        for (int slot = 100; slot < 200; ++slot)
            chart->AddPoint(0, SlotTime(*chart, slot), slot < 150 ? 40 : 60);
        const QImage first = Render(*chart);
        QCOMPARE(chart->GetYMin(), 37.0);
        QCOMPARE(chart->GetYMax(), 63.0);
        int top = first.height(), bottom = -1;
        for (int y = 0; y < first.height(); ++y) {
            if (At(first, 140, y) == CurveRed || At(first, 200, y) == CurveRed) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        QVERIFY2(top < 30 && bottom > 90, qPrintable(QString("%1..%2").arg(top).arg(bottom)));
        chart->UpdateChanges();
        QCOMPARE(Render(*chart), first);
    }

    void hiddenChart()
    {
        auto chart = MakePixelChart();
        chart->Paint(); // not visible: nothing drawn
        QVERIFY(chart->IsDirty());
        QImage image(chart->size(), QImage::Format_RGB32);
        chart->render(&image); // rendered on purpose, as the gallery and previews do
        QCOMPARE(At(image, 90, 70), NetGreen);
        QVERIFY(!chart->IsDirty());
    }

    void refusedChartStaysUndrawn_data()
    {
        QTest::addColumn<double>("xStep");
        QTest::addColumn<double>("yStep");
        QTest::newRow("x step 100 ms") << 100 * OneMillisecond << 25.0;
        QTest::newRow("y step 0 with auto scale") << OneHour << 0.0;
    }
    void refusedChartStaysUndrawn()
    {
        QFETCH(double, xStep);
        QFETCH(double, yStep);
        auto chart = MakePixelChart();
        chart->SetAutoYScale(true);
        chart->SetXLabelStep(xStep);
        chart->SetYLabelStep(yStep);
        const QImage first = Render(*chart);
        QCOMPARE(At(first, 100, 70), Silver); // never drawn: only the control colour
        QVERIFY(!chart->IsDirty());
        QCOMPARE(chart->GetYLabelStep(), yStep);
    }

    void timeLabelsClamped()
    {
        auto chart = MakePixelChart();
        chart->SetShowScaleX(true);
        chart->SetGraphLeft(0);
        chart->SetGraphSubWidth(0);
        chart->SetXLabelStep(10 * OneMinute); // first line at 08:10, 10 px from the left
        const QImage image = Render(*chart);
        const int top = chart->Geometry().PlotBottom + 2;
        const int right = chart->Geometry().PlotRight;
        int leftmost = image.width(), rightmost = -1;
        for (int y = top; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (At(image, x, y) != Silver) {
                    leftmost = std::min(leftmost, x);
                    rightmost = std::max(rightmost, x);
                }
            }
        }
        QVERIFY2(leftmost >= 2 && leftmost <= 4, qPrintable(QString::number(leftmost)));
        QVERIFY2(rightmost <= right - 2 && rightmost >= right - 6,
                 qPrintable(QString::number(rightmost)));
    }

    void exportAndPaintTo()
    {
        auto chart = MakePixelChart();
        chart->SetShowBorder(true);
        for (int slot = 100; slot < 150; ++slot)
            chart->AddPoint(0, SlotTime(*chart, slot), 50);
        Render(*chart);
        const QImage exported =
            chart->ExportImage(800, 250, false).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(exported.size(), QSize(800, 250));
        QVERIFY(chart->IsDirty());
        // Margins stay, the plot grows: 09:00 is 60 of 340 slots over 741 pixels.
        QCOMPARE(At(exported, 30 + 741 * 60 / 340, 150), NetGreen);
        QCOMPARE(At(exported, 5, 5), Silver);
        // After an export the screen picture is redrawn at control size.
        QCOMPARE(At(Render(*chart), 90, 70), NetGreen);

        const QImage plain =
            chart->ExportImage(400, 200, true).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(At(plain, 0, 100), QColor(Qt::black)); // frame around the whole picture
        QCOMPARE(At(plain, 5, 5), White);

        // PaintTo scales the margins with the area: twice as wide, twice as high.
        QImage canvas(1000, 400, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        chart->PaintTo(&painter, 100, 50, 798, 250, false);
        painter.end();
        QCOMPARE(At(canvas, 99, 150), QColor(Qt::black));
        QCOMPARE(At(canvas, 100, 150), Silver);
        QCOMPARE(At(canvas, 158, 150), Silver);
        QCOMPARE(At(canvas, 161, 150), White);
        // The curve through the clipped painter: value 50 maps to 220 - 50 * 201 / 100, truncated.
        QCOMPARE(At(canvas, 100 + 60 + 679 * 125 / 340, 50 + 119), CurveRed);
    }
};

TALMER_TEST(TestLevelGraphPaint)
#include "TestLevelGraphPaint.moc"
