// Appends one day of one-minute records with 20 value fields, then opens the series with a
// one-hour range and walks it. Prints the times of each step.
#include "base/Moment.h"
#include "series/IniDataSet.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

// Process CPU time: the machine may be busy, so wall time alone says little.
qint64 CpuNs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QStringList fields {"RecordTime"};
    for (int i = 1; i <= 20; ++i)
        fields << QString("Value%1").arg(i);
    const TMoment day = EncodeMoment(2024, 3, 15);

    TIniDataSet writer;
    writer.SetRootDir(dir.path());
    writer.SetTableName("T1");
    writer.SetFieldList(fields);
    writer.SetActive(true);
    QElapsedTimer timer;
    timer.start();
    qint64 cpu = CpuNs();
    for (int minute = 0; minute < 1440; ++minute) {
        if (!writer.Append(day + minute * OneMinute))
            return 2;
        for (int i = 1; i <= 20; ++i)
            writer.FieldByName(fields[i])->SetAsFloat(minute * 0.01 + i);
    }
    const qint64 appendNs = timer.nsecsElapsed();
    const qint64 appendCpuNs = CpuNs() - cpu;

    qint64 bytes = 0;
    for (QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        bytes += QFileInfo(it.next()).size();

    TIniDataSet reader;
    reader.SetRootDir(dir.path());
    reader.SetTableName("T1");
    reader.SetFieldList(fields);
    timer.restart();
    cpu = CpuNs();
    reader.SetRange(day + 10 * OneHour, day + 11 * OneHour - OneSecond);
    const qint64 openNs = timer.nsecsElapsed();
    const qint64 openCpuNs = CpuNs() - cpu;
    timer.restart();
    cpu = CpuNs();
    double sum = 0;
    int records = 0;
    if (reader.GetRecordCount() > 0) {
        do {
            sum += reader.FieldByName("Value20")->GetAsFloat();
            ++records;
        } while (reader.Next());
    }
    const qint64 walkNs = timer.nsecsElapsed();
    const qint64 walkCpuNs = CpuNs() - cpu;

    std::printf("append 1440 records x 20 fields: %.1f ms wall, %.1f ms CPU (%.0f us CPU per "
                "record); %lld bytes in 24 files\n",
                appendNs / 1e6, appendCpuNs / 1e6, appendCpuNs / 1e3 / 1440,
                static_cast<long long>(bytes));
    std::printf("open with a one-hour range (%d records): %.2f ms wall, %.2f ms CPU\n",
                reader.GetRecordCount(), openNs / 1e6, openCpuNs / 1e6);
    std::printf("walk the range (%d records): %.2f ms wall, %.2f ms CPU (checksum %.2f)\n", records,
                walkNs / 1e6, walkCpuNs / 1e6, sum);
    return records == 60 ? 0 : 3;
}
