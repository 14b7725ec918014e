#pragma once

#include "GraphTrend.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QPushButton;
class QTimer;

class TOutField;

// One value of a readout: the field, its label, and the owner's chart position and graph it shows.
struct TTrendPointRow
{
    QString Field;
    QString Label;
    int Chart;
    int Graph;
};

// The readout "Текущая точка графика" of a trend window: the values of its curves under the
// chart cursor, framed in the curves' colours, the cursor's moment, and two buttons that step the
// cursor by one slot. It hides itself as soon as its window is no longer the frame's current child.
class TFormTrendPoint : public QDialog
{
    Q_OBJECT

public:
    static constexpr int TimerInterval = 100;

    TFormTrendPoint(TFormGraphTrend *owner, const QString &name, const QList<TTrendPointRow> &rows);

    TFormGraphTrend *Owner() const { return FOwner; }
    void Timer1Timer();
    void Refresh();
    void ButGoLeftClick();
    void ButGoRightClick();

    QList<TOutField *> Fields; // in row order
    TOutField *OutFieldDateTime;
    QPushButton *ButGoLeft;
    QPushButton *ButGoRight;
    QTimer *Timer1;

private:
    // Moves every chart's cursor to t when t stays inside the first chart's interval.
    void StepCursor(int direction);

    QPointer<TFormGraphTrend> FOwner;
    QList<TTrendPointRow> FRows;
};
