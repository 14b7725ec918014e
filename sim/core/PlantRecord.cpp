#include "core/PlantRecord.h"

#include <QVariant>

namespace {
const QString momentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString Num(double v)
{
    // Nine significant digits survive the round trip through a FLOAT column.
    return QString::number(v, 'g', 9);
}
} // namespace

const QStringList &PlantRecord::Columns()
{
    static const QStringList columns = {
        "RecMoment", "PLS",   "PLSZ", "URKS",   "URNS",  "VODA1", "VODA2",  "DSUS",   "TNK41",
        "TNK23",     "TNK2",  "G41",  "G_1T41", "G2",    "G_1T2", "G23",    "G_1T23", "BKK41",
        "BKK2",      "BKK23", "RAB",  "RN",     "_PLSZ", "_TNZ",  "_TNK23", "VPIT",   "TNZ"};
    return columns;
}

QString PlantRecord::SqlValues() const
{
    const QStringList values = {'\'' + SqlMoment(moment) + '\'',
                                Num(PLS),
                                Num(PLSZ),
                                Num(URKS),
                                Num(URNS),
                                Num(VODA1),
                                Num(VODA2),
                                Num(DSUS),
                                Num(TNK41),
                                Num(TNK23),
                                Num(TNK2),
                                Num(G41),
                                Num(G_1T41),
                                Num(G2),
                                Num(G_1T2),
                                Num(G23),
                                Num(G_1T23),
                                QString::number(BKK41),
                                QString::number(BKK2),
                                QString::number(BKK23),
                                QString::number(RAB),
                                QString::number(RN),
                                Num(cmdPLSZ),
                                Num(cmdTNZ),
                                Num(cmdTNK23),
                                Num(VPIT),
                                Num(TNZ)};
    return '(' + values.join(',') + ')';
}

PlantRecord PlantRecord::FromSql(const QSqlRecord &row)
{
    auto d = [&row](const char *name) {
        return row.value(QLatin1String(name)).toDouble();
    };
    auto i = [&row](const char *name) {
        return row.value(QLatin1String(name)).toInt();
    };
    PlantRecord r;
    r.moment = MomentFromSql(row.value(QStringLiteral("RecMomentText")).toString());
    r.PLS = d("PLS");
    r.PLSZ = d("PLSZ");
    r.URKS = d("URKS");
    r.URNS = d("URNS");
    r.VODA1 = d("VODA1");
    r.VODA2 = d("VODA2");
    r.DSUS = d("DSUS");
    r.TNK41 = d("TNK41");
    r.TNK23 = d("TNK23");
    r.TNK2 = d("TNK2");
    r.G41 = d("G41");
    r.G_1T41 = d("G_1T41");
    r.G2 = d("G2");
    r.G_1T2 = d("G_1T2");
    r.G23 = d("G23");
    r.G_1T23 = d("G_1T23");
    r.BKK41 = i("BKK41");
    r.BKK2 = i("BKK2");
    r.BKK23 = i("BKK23");
    r.RAB = i("RAB");
    r.RN = i("RN");
    r.cmdPLSZ = d("_PLSZ");
    r.cmdTNZ = d("_TNZ");
    r.cmdTNK23 = d("_TNK23");
    r.VPIT = d("VPIT");
    r.TNZ = d("TNZ");
    return r;
}

QString SqlMoment(const QDateTime &moment)
{
    return moment.toString(momentFormat);
}

QDateTime MomentFromSql(const QString &text)
{
    return QDateTime::fromString(text, momentFormat);
}

QDateTime FloorToMinute(const QDateTime &moment)
{
    const QTime t = moment.time();
    return QDateTime(moment.date(), QTime(t.hour(), t.minute()));
}
