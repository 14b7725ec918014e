#include "TestMain.h"

#include <QApplication>
#include <QTest>
#include <map>
#include <memory>

namespace {
std::map<QByteArray, std::function<QObject *()>> &registry()
{
    static std::map<QByteArray, std::function<QObject *()>> classes;
    return classes;
}
} // namespace

int RegisterTestClass(const char *name, std::function<QObject *()> factory)
{
    registry()[name] = std::move(factory);
    return 0;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QByteArray only;
    std::vector<char *> args(argv, argv + argc);
    if (args.size() > 1 && registry().count(args[1])) {
        only = args[1];
        args.erase(args.begin() + 1);
    }
    int failed = 0;
    for (const auto &[name, factory] : registry()) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), int(args.size()), args.data()) != 0;
    }
    return failed == 0 ? 0 : 1;
}
