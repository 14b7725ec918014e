#pragma once

#include "base/Moment.h"

#include <QObject>

class QAction;
class QComboBox;
class QDateEdit;
class QTimer;

// Keeps a window's date picker (and, where one shift is chosen, its shift box) on the working day
// that holds the present, so a window left open over a shift or day change does not stay on the
// finished range. A date the operator picks stays until he picks the current day again or uses
// "Текущие сутки" (the picker's context menu). The shift box, where given, lists shift 1, shift 2,
// both.
class TDayFollower : public QObject
{
    Q_OBJECT

public:
    TDayFollower(QDateEdit *picker, QComboBox *shiftBox = nullptr);

    bool Following() const { return FFollowing; }
    // Moves the picker when the working day (or the single chosen shift) that holds the present
    // has changed since the last check while following; true when it moved. The follower's own
    // one-second timer calls it.
    bool Check();
    // The "Текущие сутки" entry: back to the working day that holds now, following again.
    void ShowCurrentDay();

signals:
    // The follower moved the picker: the window reloads once.
    void Moved();

private:
    void PickerChanged();
    void SetPicker(TMoment day);

    QDateEdit *FPicker;
    QComboBox *FShiftBox;
    QTimer *FTimer;
    TMoment FNowDay;
    int FNowShift;
    bool FFollowing = true;
    bool FMoving = false;
};
