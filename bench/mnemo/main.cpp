// CPU time of one diagram tick, with the repaint of what it changed, against a record held in
// memory: the plant running (conveyors, separator and mixer animated, values changing every tick)
// and quiet (a stopped plant whose record does not change).
// The window is the design size times scale, so the repaint draws the diagram at that scale.
//   bench_mnemo [ticks] [scale]

#include "mnemo/Mnemo.h"

#include <QApplication>
#include <QSqlField>
#include <QSqlRecord>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

double CpuMicroseconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

QSqlRecord MakeRecord()
{
    QSqlRecord record;
    for (const char *name :
         {"RecMoment", "PLS",   "PLSZ", "URKS",   "URNS",  "VODA1", "VODA2",  "DSUS",   "TNK41",
          "TNK23",     "TNK2",  "G41",  "G_1T41", "G2",    "G_1T2", "G23",    "G_1T23", "BKK41",
          "BKK2",      "BKK23", "RAB",  "RN",     "_PLSZ", "_TNZ",  "_TNK23", "VPIT",   "TNZ"}) {
        QSqlField field(QLatin1String(name), QMetaType(QMetaType::Double));
        field.setValue(0.0);
        record.append(field);
    }
    return record;
}

void Set(QSqlRecord &record, const char *name, double value)
{
    record.setValue(QLatin1String(name), value);
}

// Mean CPU microseconds of the routing of a tick and of the paint it asked for.
struct TCost
{
    double Tick = 0;
    double Paint = 0;
};

TCost Measure(TFormMnemo &mnemo, int ticks, const std::function<void(int)> &change)
{
    for (int i = 0; i < 50; ++i) { // warm-up: caches, fonts, the particle stream
        change(i);
        mnemo.Timer1Timer();
        QCoreApplication::processEvents();
    }
    TCost cost;
    for (int i = 0; i < ticks; ++i) {
        change(i);
        const double start = CpuMicroseconds();
        mnemo.Timer1Timer();
        const double routed = CpuMicroseconds();
        QCoreApplication::processEvents();
        cost.Tick += routed - start;
        cost.Paint += CpuMicroseconds() - routed;
    }
    cost.Tick /= ticks;
    cost.Paint /= ticks;
    return cost;
}

void Print(const char *name, const TCost &cost)
{
    std::printf("%-8s %8.1f us CPU per tick (routing %.1f, repaint %.1f)\n", name,
                cost.Tick + cost.Paint, cost.Tick, cost.Paint);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    const double scale = argc > 2 ? std::clamp(atof(argv[2]), 0.5, 3.0) : 1.0;

    QSqlRecord record = MakeRecord();
    TFormMnemo mnemo;
    mnemo.Timer1->stop();
    mnemo.SetLiveSource([&record] { return TLiveData {&record, false}; });
    mnemo.resize(QSize(qRound(1280 * scale), qRound(746 * scale)));
    mnemo.show();
    QCoreApplication::processEvents();

    for (const char *name : {"RAB", "RN", "BKK41", "BKK23", "BKK2"})
        Set(record, name, 1);
    const TCost running = Measure(mnemo, ticks, [&record](int i) {
        Set(record, "PLS", 1450 + i % 7);
        Set(record, "URKS", 50 + i % 5);
        Set(record, "URNS", 30 + i % 3);
        Set(record, "DSUS", 20 + i % 11);
        Set(record, "TNK23", 60 + i % 4);
        Set(record, "TNK2", 40 + i % 6);
    });

    for (const char *name : {"RAB", "RN", "BKK41", "BKK23", "BKK2"})
        Set(record, name, 0);
    const TCost quiet = Measure(mnemo, ticks, [](int) {});

    std::printf("elements %lld, ticks %d, window %dx%d (scale %.2f)\n",
                static_cast<long long>(mnemo.Components().size()), ticks, mnemo.width(),
                mnemo.height(), scale);
    Print("running:", running);
    Print("quiet:", quiet);
    return 0;
}
