// Prints what an INI file costs at the size of an hourly dataset file (60 records of 28 fields):
// opening and reading every value, one warm read, one write (which rewrites the whole file).
#include "base/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRecords = 60;
constexpr int kFields = 28;

QString Field(int f)
{
    return QStringLiteral("Field%1").arg(f);
}

QByteArray HourFile()
{
    QByteArray text = "[Header]\r\nRecordCount=" + QByteArray::number(kRecords) + "\r\n";
    for (int r = 0; r < kRecords; ++r)
        text += "R" + QByteArray::number(r) + "=46001." + QByteArray::number(r) + "\r\n";
    for (int r = 0; r < kRecords; ++r) {
        text += "[R" + QByteArray::number(r) + "]\r\n";
        for (int f = 0; f < kFields; ++f)
            text += Field(f).toUtf8() + "=" + QByteArray::number(r * 1.5 + f) + "\r\n";
    }
    return text;
}

void Report(const char *what, qint64 nanoseconds, int count)
{
    std::printf("%-40s %10.2f us\n", what, double(nanoseconds) / count / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hour.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(HourFile());
    }
    std::printf("file of %lld bytes, %d sections\n", QFile(path).size(), kRecords + 1);

    QElapsedTimer timer;
    const int opens = 200;
    double sum = 0;
    timer.start();
    for (int i = 0; i < opens; ++i) {
        const TIniFile ini(path);
        for (int r = 0; r < kRecords; ++r)
            for (int f = 0; f < kFields; ++f)
                sum += ini.ReadFloat(QStringLiteral("R%1").arg(r), Field(f), 0);
    }
    Report("open and read every value", timer.nsecsElapsed(), opens);

    const TIniFile warm(path);
    warm.ReadSections();
    const int reads = 200000;
    timer.start();
    for (int i = 0; i < reads; ++i)
        sum += warm.ReadInteger(QStringLiteral("r30"), QStringLiteral("FIELD7"), 0);
    Report("one read of a warm file", timer.nsecsElapsed(), reads);

    TIniFile writer(path);
    const int writes = 300;
    timer.start();
    for (int i = 0; i < writes; ++i)
        writer.WriteInteger(QStringLiteral("R30"), QStringLiteral("Field7"), i);
    Report("one write (whole file saved)", timer.nsecsElapsed(), writes);

    std::printf("(checksum %g)\n", sum);
    return 0;
}
