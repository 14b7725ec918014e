// Loads a day of one-minute samples into four graphs of a 1000 × 500 trend chart and times the
// load and a full redraw; then draws the same data with Qt Charts and prints the ratio.
// Run: QT_QPA_PLATFORM=offscreen bench_charts [repeats]
#include "charts/LevelGraph.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int Graphs = 4;
constexpr int Minutes = 1440;

// A process-like signal: slow swings over the day plus a few units of minute-to-minute noise.
double Sample(int graph, int minute)
{
    return 250 + 150 * std::sin(minute / (60.0 + 20 * graph)) + 4 * std::sin(minute * 0.7 + graph);
}

double ThreadMicros()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Median of repeated runs in microseconds of this thread's CPU time, so that other processes on
// a busy machine do not count.
double MedianMicros(int repeats, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const double start = ThreadMicros();
        run();
        times.push_back(ThreadMicros() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    const TMoment day = EncodeMoment(2026, 12, 8);

    TLevelGraph chart;
    chart.resize(1000, 500);
    chart.SetGraphCount(Graphs);
    chart.SetYMax(500);
    chart.SetYMin(0);
    chart.SetYLabelStep(100);
    chart.SetXLabelStep(2 * OneHour);
    chart.SetScaleYFormat(QStringLiteral("###0"));
    chart.SetShowBorder(true);
    chart.SetShowCursor(true);
    chart.SetMinXLabel(true);
    chart.SetMaxXLabel(true);
    chart.SetCursorTime(day + 0.5);
    for (int g = 0; g < Graphs; ++g)
        chart.GetGraphPen(g).SetColor(TColor(0x3030C0 + 0x402000 * g));
    chart.show();

    const double load = MedianMicros(repeats, [&] {
        chart.SetNewIntervalAccepted(false);
        chart.SetNewStartTime(day);
        chart.SetNewStopTime(day + 1);
        chart.SetNewCursorTime(day + 0.5);
        chart.SetNewIntervalAccepted(true);
        chart.ResetData();
        chart.CalcRegion();
        for (int m = 0; m < Minutes; ++m)
            for (int g = 0; g < Graphs; ++g)
                chart.AddPoint(g, day + m * OneMinute, Sample(g, m));
        chart.UpdateChanges();
    });
    const double redraw = MedianMicros(repeats, [&] {
        chart.UpdateChanges();
        chart.Paint();
    });
    const double copyOnly = MedianMicros(repeats, [&] { chart.Paint(); });

    // Where a redraw spends its time, step by step on the same picture.
    QImage picture(1000, 500, QImage::Format_ARGB32_Premultiplied);
    QPainter canvas(&picture);
    chart.CalcRegion();
    const std::pair<const char *, std::function<void()>> steps[] = {
        {"background",
         [&] {
             chart.PaintBackGround(canvas, false);
         }},
        {"time scale",
         [&] {
             chart.PaintXScale(canvas, 1000);
         }},
        {"value scale",
         [&] {
             chart.PaintYScale(canvas);
         }},
        {"curves",
         [&] {
             chart.PaintGraphs(canvas);
         }},
        {"cursor",
         [&] {
             chart.PaintCursor(canvas);
         }},
    };
    std::vector<std::pair<const char *, double>> breakdown;
    for (const auto &[name, step] : steps)
        breakdown.emplace_back(name, MedianMicros(repeats, step));
    canvas.end();

    QChart *qchart = new QChart;
    auto *axisX = new QDateTimeAxis;
    axisX->setFormat(QStringLiteral("hh:mm"));
    axisX->setTickCount(13);
    auto *axisY = new QValueAxis;
    axisY->setRange(0, 500);
    axisY->setTickCount(6);
    axisY->setLabelFormat(QStringLiteral("%d"));
    qchart->addAxis(axisX, Qt::AlignBottom);
    qchart->addAxis(axisY, Qt::AlignLeft);
    qchart->legend()->hide();
    const qint64 start = MomentToDateTime(day).toMSecsSinceEpoch();
    for (int g = 0; g < Graphs; ++g) {
        auto *series = new QLineSeries;
        QList<QPointF> points;
        for (int m = 0; m < Minutes; ++m)
            points.append(QPointF(start + m * 60000.0, Sample(g, m)));
        series->replace(points);
        qchart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    axisX->setRange(MomentToDateTime(day), MomentToDateTime(day + 1));
    QChartView view(qchart);
    view.resize(1000, 500);
    view.show();
    QImage target(1000, 500, QImage::Format_ARGB32_Premultiplied);
    const auto renderQtCharts = [&] {
        QPainter painter(&target);
        view.render(&painter);
    };
    renderQtCharts(); // lay the chart out once
    const double qtRedraw = MedianMicros(repeats, renderQtCharts);

    std::printf("trend chart 1000x500, %d graphs x %d one-minute samples, median of %d runs "
                "(thread CPU time)\n",
                Graphs, Minutes, repeats);
    std::printf("  load (reset, %d AddPoint calls):  %8.1f us\n", Graphs * Minutes, load);
    std::printf("  full redraw (dirty):               %8.1f us\n", redraw);
    std::printf("  repaint without changes:           %8.1f us\n", copyOnly);
    for (const auto &[name, micros] : breakdown)
        std::printf("    %-12s                       %8.1f us\n", name, micros);
    std::printf("  Qt Charts full render, same data:  %8.1f us\n", qtRedraw);
    std::printf("  Qt Charts / trend chart redraw:    %8.1f x\n", qtRedraw / redraw);
    return 0;
}
