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
};

const TSetPointCommand &DensitySetPoint(); // _PLSZ, kg/m3
const TSetPointCommand &LoadSetPoint(); // _TNZ, t/h

// Reads the operator's text in the workstation's number format and checks the range. A refused
// text is reported by a message box; nothing else happens then.
bool CheckSetPointInput(const TSetPointCommand &command, const QString &text, double &value);

// The command row insert, three lines joined by CR LF, stamped with the server's time and user.
QString SetPointInsertText(const TSetPointCommand &command, double value);
