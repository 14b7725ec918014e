#pragma once

#include <QString>

// One set-point command: what the operator is asked, the accepted range (both ends included), the
// command column and the message for a value out of range.
struct TSetPointCommand
{
    QString Label;
    double Low;
    double High;
    QString Column;
    QString RangeMessage;
    // What the dialog shows beside the input: the measured value and the set-point in force, as
    // the newest process record names them, in the unit given.
    QString MeasuredField;
    QString SetPointField;
    QString Unit;
};

const TSetPointCommand &DensitySetPoint(); // _PLSZ, kg/m3
const TSetPointCommand &LoadSetPoint(); // _TNZ, t/h

class QSqlRecord;

// "Сейчас: 1652,3 кг/м3, задание в силе: 1650,0 кг/м3" from the newest record; a field the record
// lacks or holds NULL shows "нет данных".
QString CurrentValuesText(const TSetPointCommand &command, const QSqlRecord &record);

// Reads the operator's text in the workstation's number format and checks the range. A refused
// text is reported by a message box; nothing else happens then.
bool CheckSetPointInput(const TSetPointCommand &command, const QString &text, double &value);

// The command row insert, three lines joined by CR LF, stamped with the server's time and user.
QString SetPointInsertText(const TSetPointCommand &command, double value);
