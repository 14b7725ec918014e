#pragma once

#include <QDateTime>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

// One process record: a row of pu_data. The command columns _PLSZ, _TNZ, _TNK23 are held as
// cmdPLSZ, cmdTNZ, cmdTNK23 (a leading underscore and a capital are reserved in C++).
struct PlantRecord
{
    QDateTime moment;
    double PLS = 0, PLSZ = 0;
    double URKS = 0, URNS = 0, VODA1 = 0, VODA2 = 0, DSUS = 0;
    double TNK41 = 0, TNK23 = 0, TNK2 = 0;
    double G41 = 0, G_1T41 = 0, G2 = 0, G_1T2 = 0, G23 = 0, G_1T23 = 0;
    int BKK41 = 0, BKK2 = 0, BKK23 = 0, RAB = 0, RN = 0;
    double cmdPLSZ = 0, cmdTNZ = 0, cmdTNK23 = 0;
    double VPIT = 0, TNZ = 0;

    // Column names of pu_data in the order of Values().
    static const QStringList &Columns();
    // "(...)" with the values as SQL literals, in the order of Columns().
    QString SqlValues() const;
    // Reads a row selected with the columns of Columns() plus RecMomentText (the moment as text).
    static PlantRecord FromSql(const QSqlRecord &row);
};

// Local moments reach SQL as text, exact to the second and never shifted by a time zone.
QString SqlMoment(const QDateTime &moment);
QDateTime MomentFromSql(const QString &text);
// The moment with its seconds (and milliseconds) cut off.
QDateTime FloorToMinute(const QDateTime &moment);
