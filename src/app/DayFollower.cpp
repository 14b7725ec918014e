#include "DayFollower.h"

#include "Utils.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QTimer>

namespace {

QDate DayDate(TMoment day)
{
    QDate date;
    QTime time;
    DecodeMoment(day, date, time);
    return date;
}

} // namespace

TDayFollower::TDayFollower(QDateEdit *picker, QComboBox *shiftBox)
    : QObject(picker)
    , FPicker(picker)
    , FShiftBox(shiftBox)
    , FTimer(new QTimer(this))
    , FNowDay(ProductionDayOf(Now()))
    , FNowShift(ShiftOf(Now()))
{
    SetPicker(FNowDay);
    connect(FPicker, &QDateEdit::dateChanged, this, &TDayFollower::PickerChanged);

    auto *current = new QAction(QStringLiteral("Текущие сутки"), FPicker);
    connect(current, &QAction::triggered, this, &TDayFollower::ShowCurrentDay);
    FPicker->addAction(current);
    FPicker->setContextMenuPolicy(Qt::ActionsContextMenu);

    FTimer->setInterval(1000);
    connect(FTimer, &QTimer::timeout, this, &TDayFollower::Check);
    FTimer->start();
}

bool TDayFollower::Check()
{
    const TMoment now = Now();
    const TMoment day = ProductionDayOf(now);
    const int shift = ShiftOf(now);
    if (day == FNowDay && shift == FNowShift)
        return false;
    const bool dayChanged = day != FNowDay;
    FNowDay = day;
    FNowShift = shift;
    if (!FFollowing)
        return false;
    const int shiftIndex = FShiftBox ? FShiftBox->currentIndex() : 2;
    const bool singleShift = shiftIndex == 0 || shiftIndex == 1;
    if (!dayChanged && !singleShift)
        return false;
    FMoving = true;
    if (singleShift)
        FShiftBox->setCurrentIndex(shift - 1);
    FMoving = false;
    SetPicker(day);
    emit Moved();
    return true;
}

void TDayFollower::ShowCurrentDay()
{
    FNowDay = ProductionDayOf(Now());
    FNowShift = ShiftOf(Now());
    SetPicker(FNowDay);
    FFollowing = true;
    emit Moved();
}

void TDayFollower::PickerChanged()
{
    if (!FMoving)
        FFollowing = FPicker->date() == DayDate(FNowDay);
}

void TDayFollower::SetPicker(TMoment day)
{
    FMoving = true;
    FPicker->setDate(DayDate(day));
    FMoving = false;
}
