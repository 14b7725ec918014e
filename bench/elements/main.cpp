// Paint cost of every element class: for cached elements a repaint that only copies the cache
// against a full redraw of the figure; directly drawn elements draw in full on every paint.
//   bench_elements [iterations]

#include "elements/CachedElement.h"
#include "base/ElementRegistry.h"
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
    return 0;
}
