// Trend window benchmark: the time of a full-day Reload of the process-parameter window (query,
// sample-and-hold fill, redraw of its three charts) against 1440 one-minute records. Starts a
// private MariaDB instance in a temporary folder through scripts/db and stops it at the end.

#include "BenchDb.h"
#include "app/Connection.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "trends/GraphHardParams.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace {
QTextStream out(stdout);

// One record a minute over the whole day, with slowly wandering values.
bool WriteDay(TMoment start)
{
    QSqlQuery query(SQLConnection1().Database());
    QStringList rows;
    for (int m = 0; m < 1440; ++m) {
        const double x = m / 1440.0 * 2 * M_PI;
        rows << QStringLiteral("('%1',%2,%3,%4,%5)")
                    .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                        start + m * OneMinute))
                    .arg(2000 + 200 * std::sin(3 * x))
                    .arg(m < 720 ? 1950 : 2050)
                    .arg(300 + 150 * std::sin(x))
                    .arg(50 + 40 * std::cos(5 * x));
    }
    return query.exec(QStringLiteral("insert into pu_data (RecMoment, PLS, PLSZ, TNK23, VODA1) "
                                     "values ")
                      + rows.join(QLatin1Char(',')));
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 20;

    QTemporaryDir dir;
    BenchDb db;
    if (!db.IsRunning()) {
        out << "cannot start the private database\n";
        return 1;
    }
    QDir::setCurrent(dir.path());
    int result = 0;
    {
        SetConnectionParam(QStringLiteral("HostName"), db.Host());
        SetConnectionParam(QStringLiteral("User_Name"), BenchDb::User());
        SetConnectionParam(QStringLiteral("Password"), BenchDb::Password());
        if (!SQLConnection1().Open()) {
            out << "cannot connect: " << SQLConnection1().LastError() << "\n";
            result = 1;
        }
        const TMoment day = EncodeMoment(2026, 3, 10);
        TMoment start = 0, stop = 0;
        ShiftRange(day, 3, start, stop);
        if (result == 0 && !WriteDay(start)) {
            out << "cannot write the records\n";
            result = 1;
        }
        if (result == 0) {
            TFormGraphHardParams window;
            window.DateTimePicker1->setDate(MomentToDateTime(day).date());
            window.ComboBox1->setCurrentIndex(2);
            window.resize(1280, 900);
            window.show();
            window.NormalLayout();
            QList<double> times;
            for (int i = 0; i <= rounds; ++i) {
                QElapsedTimer timer;
                timer.start();
                window.Reload();
                for (int c = 0; c < window.ChartCount(); ++c)
                    window.Chart(c)->repaint(); // the redraw the reload asked for, now
                const double ms = timer.nsecsElapsed() / 1e6;
                if (i > 0) // the first round warms the caches
                    times << ms;
            }
            std::sort(times.begin(), times.end());
            out << "full-day Reload of FormGraphHardParams, 1440 records, 3 charts at 1280x900:\n"
                << QString(
                       "  median %1 ms, best %2 ms, worst %3 ms over %4 rounds (aim: < 150 ms)\n")
                       .arg(times.at(times.size() / 2), 0, 'f', 1)
                       .arg(times.first(), 0, 'f', 1)
                       .arg(times.last(), 0, 'f', 1)
                       .arg(times.size());
        }
        SQLConnection1().Close();
    }
    return result;
}
