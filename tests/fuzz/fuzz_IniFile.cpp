// Any bytes as an INI file: reading every section and key must not crash, and a write into the
// damaged file must read back.
#include "base/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

// In memory where possible: every write of the INI file syncs it to disk.
QString FuzzFile()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fuzz_ini-XXXXXX")
                                                       : QDir::tempPath() + "/fuzz_ini-XXXXXX");
    return dir.filePath(QStringLiteral("fuzz.ini"));
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    TIniFile ini(path);
    const QStringList sections = ini.ReadSections();
    for (const QString &section : sections) {
        Check(ini.SectionExists(section));
        for (const QString &key : ini.ReadSection(section)) {
            Check(ini.ValueExists(section, key));
            ini.ReadString(section, key, QString());
            ini.ReadInteger(section, key, 0);
            ini.ReadFloat(section, key, 0);
        }
    }
    try {
        const QString section = sections.isEmpty() ? QStringLiteral("Fuzz") : sections.first();
        ini.WriteString(section, QStringLiteral("FuzzKey"), QStringLiteral(" value "));
        Check(ini.ReadString(section, QStringLiteral("fuzzkey"), QString()) == " value ");
        Check(TIniFile(path).ReadSections().size() == qMax(sections.size(), qsizetype(1)));
        ini.DeleteKey(section, QStringLiteral("FUZZKEY"));
        Check(!ini.ValueExists(section, QStringLiteral("FuzzKey")));
        ini.EraseSection(section);
        Check(!ini.SectionExists(section));
    } catch (const TIniFileError &) {
        // names the file could not hold, such as a section with a carriage return inside
    }
    return 0;
}
