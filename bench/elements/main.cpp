// Paint cost of every element class: for cached elements a repaint that only copies the cache
// against a full redraw of the figure; directly drawn elements draw in full on every paint.
// Then the cost of one motion step of a column mixer holding 200 particles.
//   bench_elements [iterations]

#include "base/ElementRegistry.h"
#include "elements/CachedElement.h"
#include "elements/ColumnMixer.h"
#include "elements/ElementLibrary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Mean microseconds per call.
double Measure(int iterations, const std::function<void()> &paint)
{
    paint(); // warm-up: fonts, cache image
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i)
        paint();
    return timer.nsecsElapsed() / 1000.0 / iterations;
}

// Mean microseconds of one NextStep of a column mixer that holds 200 particles at its start; the
// particles are put back (untimed) before every step, since some leave during it.
double MeasureMixerStep(int iterations)
{
    TColumnMixer mixer;
    mixer.SetSpeedK(0.25);
    TRockBalls balls;
    for (int i = 0; i < 200; ++i) {
        // Spread over the funnel, the liquid and the column.
        const double y = 32 + (i * 67) % 66;
        const double x = y >= mixer.GetFlakeTop() ? 10 + (i * 13) % 70 : 21 + (i * 7) % 38;
        balls.append({x, y, 0, 1 + (i % 4) * 0.5, i % 2, (i % 5) - 2.0, -1});
    }
    qint64 total = 0;
    QElapsedTimer timer;
    for (int i = 0; i < iterations; ++i) {
        while (mixer.DeleteBall(0)) { }
        for (const TRockBall &b : balls)
            mixer.AddBall(&b);
        timer.start();
        mixer.NextStep();
        total += timer.nsecsElapsed();
    }
    return total / 1000.0 / iterations;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;

    std::printf("%-14s %12s %12s %8s\n", "class", "cached us", "full us", "ratio");
    RegisterElementLibrary();
    double cachedSum = 0;
    double fullSum = 0;
    for (const QString &name : RegisteredElementClasses()) {
        std::unique_ptr<QWidget> widget(CreateElement(name));
        QImage target(widget->size(), QImage::Format_RGB32);
        QPainter painter(&target);
        auto paint = [&] {
            widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        };
        auto *cached = qobject_cast<TCachedElement *>(widget.get());
        if (!cached) {
            std::printf("%-14s %12s %12.2f %8s\n", qPrintable(name), "-",
                        Measure(iterations, paint), "-");
            continue;
        }
        const double copy = Measure(iterations, paint);
        const double full = Measure(iterations, [&] {
            cached->UpdateChanges();
            paint();
        });
        cachedSum += copy;
        fullSum += full;
        std::printf("%-14s %12.2f %12.2f %8.1f\n", qPrintable(name), copy, full, full / copy);
    }
    std::printf("cached elements overall: full redraw costs %.1f times a cached repaint\n",
                fullSum / cachedSum);
    std::printf("column mixer, one NextStep with 200 particles: %.2f us\n",
                MeasureMixerStep(iterations));
    return 0;
}
