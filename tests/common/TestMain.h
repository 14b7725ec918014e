#pragma once

#include <QObject>
#include <functional>

// Every test class of a layer registers itself here; the layer's one executable runs them all.
// Usage, at the end of a test file:  TALMER_TEST(MyTestClass)
// Running "test_<layer> ClassName [QTest options]" runs that class only.
int RegisterTestClass(const char *name, std::function<QObject *()> factory);

#define TALMER_TEST(Class)                                                                         \
    static const int talmerTestRegistered_##Class                                                  \
        = RegisterTestClass(#Class, [] { return new Class; });
