#include "Random.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cmath>

namespace {

QRandomGenerator &Generator()
{
    // Seeded from the clock once, so every run draws a different sequence.
    static QRandomGenerator generator{quint32(QDateTime::currentMSecsSinceEpoch())};
    return generator;
}

double UniformSigned()
{
    return 2.0 * Generator().generateDouble() - 1.0; // [-1, 1)
}

} // namespace

double RandomNormal(double mean, double deviation)
{
    double u, v, s;
    do {
        u = UniformSigned();
        v = UniformSigned();
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0); // s == 0 would divide by zero
    return mean + deviation * u * std::sqrt(-2.0 * std::log(s) / s);
}

void SeedRandom(quint32 seed)
{
    Generator().seed(seed);
}

double WrapStep(double value, double high, double step, double low)
{
    double v = value + step;
    if (v > high)
        v = low;
    if (v < low)
        v = high;
    return v;
}
