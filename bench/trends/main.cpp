// Trend window benchmark: the time of a Reload of the process-parameter window (query, fill,
// redraw of its three charts with four curves) for one range of its box: the production day
// against one-minute records of that day, or the week or the month up to it against a year of
// one-minute records. Starts a private MariaDB instance in a temporary folder through scripts/db
// and stops it at the end.
//   bench_trends [rounds] [day|week|month]

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

// One record a minute from start on, with slowly wandering values, in batches.
bool WriteMinutes(TMoment start, int count)
{
    QSqlQuery query(SQLConnection1().Database());
    constexpr int Batch = 5000;
    for (int first = 0; first < count; first += Batch) {
        QStringList rows;
        for (int m = first; m < std::min(count, first + Batch); ++m) {
            const double x = (m % 1440) / 1440.0 * 2 * M_PI;
            rows << QStringLiteral("('%1',%2,%3,%4,%5)")
                        .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                            start + m * OneMinute))
                        .arg(2000 + 200 * std::sin(3 * x))
                        .arg(m % 1440 < 720 ? 1950 : 2050)
                        .arg(300 + 150 * std::sin(x))
                        .arg(50 + 40 * std::cos(5 * x));
        }
        if (!query.exec(QStringLiteral("insert into pu_data (RecMoment, PLS, PLSZ, TNK23, VODA1) "
                                       "values ")
                        + rows.join(QLatin1Char(','))))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 20;
    const QStringList ranges {QStringLiteral("day"), QStringLiteral("week"),
                              QStringLiteral("month")};
    const QString range = argc > 2 ? QString::fromLocal8Bit(argv[2]) : ranges.first();
    if (!ranges.contains(range)) {
        out << "range: day, week or month\n";
        return 2;
    }
    const bool day = range == ranges.first();

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
        // The last day of a month, so the month's range holds all of its days.
        const TMoment chosen = EncodeMoment(2026, 3, 31);
        TMoment start = 0, stop = 0;
        ShiftRange(chosen, 3, start, stop);
        const int days = day ? 1 : 365;
        if (result == 0 && !WriteMinutes(start - (days - 1), days * 1440)) {
            out << "cannot write the records\n";
            result = 1;
        }
        if (result == 0) {
            TFormGraphHardParams window;
            window.DateTimePicker1->setDate(MomentToDateTime(chosen).date());
            window.ComboBox1->setCurrentIndex(2 + ranges.indexOf(range));
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
            out << QStringLiteral("Reload of FormGraphHardParams, range %1 (%2 days of records), "
                                  "4 curves in 3 charts at 1280x900:\n")
                       .arg(range)
                       .arg(days)
                << QString(
                       "  median %1 ms, best %2 ms, worst %3 ms over %4 rounds (aim: < %5 ms)\n")
                       .arg(times.at(times.size() / 2), 0, 'f', 1)
                       .arg(times.first(), 0, 'f', 1)
                       .arg(times.last(), 0, 'f', 1)
                       .arg(times.size())
                       .arg(day ? 150 : 300);
        }
        SQLConnection1().Close();
    }
    return result;
}
