#pragma once

#include <QtGlobal>

// A normally distributed number by the polar method: draw u, v uniform in [-1, 1) until
// s = u*u + v*v lies in (0, 1); result = mean + deviation * u * sqrt(-2 ln s / s).
double RandomNormal(double mean, double deviation);
// Reseeds the generator behind RandomNormal (tests use a fixed seed).
void SeedRandom(quint32 seed);

// One step of a cyclic animation phase: v = value + step; above high wraps to low, below low to high.
double WrapStep(double value, double high, double step, double low);
