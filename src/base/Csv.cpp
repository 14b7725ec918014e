#include "Csv.h"

#include <QSaveFile>

QChar CsvSeparator(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QLatin1Char(';') : QLatin1Char(',');
}

QString CsvLine(const QStringList &cells, QChar separator)
{
    QStringList fields;
    fields.reserve(cells.size());
    for (const QString &cell : cells) {
        const bool quoted = cell.contains(separator) || cell.contains(QLatin1Char('"'))
            || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'));
        fields.append(quoted ? QLatin1Char('"')
                              + QString(cell).replace(QLatin1String("\""), QLatin1String("\"\""))
                              + QLatin1Char('"')
                             : cell);
    }
    return fields.join(separator);
}

QString CsvNumber(std::optional<double> value, const QLocale &locale)
{
    if (!value)
        return QString();
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(*value, 'g', 15);
}

bool WriteCsvFile(const QString &path, const QList<QStringList> &rows, QString *error,
                  const QLocale &locale)
{
    const QChar separator = CsvSeparator(locale);
    QString text;
    for (const QStringList &row : rows)
        text += CsvLine(row, separator) + QStringLiteral("\r\n");
    QSaveFile file(path);
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
