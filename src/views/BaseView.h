#pragma once

#include "base/Moment.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class TDataGrid;
class TGridPrinter;
class TPagedGridModel;

// The database browser: the raw process records between two chosen moments, one column per field.
class TFormBaseView : public QWidget
{
    Q_OBJECT

public:
    explicit TFormBaseView(QWidget *parent = nullptr);
    ~TFormBaseView() override;

    // Lists the records from the start to the stop moment of the pickers, both inclusive. The
    // rows come in while the range is counted; a new load starts over.
    void Load();
    // Ends a load in progress; the rows counted so far stay browsable.
    void StopLoad();
    // Prints the rows of the range, asking first when they are many.
    void Print();
    // The page and header the records are printed with.
    void SetUpPrinter(TGridPrinter &printer) const;
    TMoment StartMoment() const;
    TMoment StopMoment() const;
    TPagedGridModel *Records() const { return FRecords; }

    QWidget *PanelTop;
    QLabel *Label1;
    QLabel *Label2;
    QDateEdit *DateTimePicker1;
    QTimeEdit *DateTimePicker2;
    QLabel *Label3;
    QDateEdit *DateTimePicker3;
    QTimeEdit *DateTimePicker4;
    QPushButton *ButLoad;
    QPushButton *ButStop;
    QLabel *LabelRows;
    QTabWidget *PageControl1;
    TDataGrid *Grid;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CountingEnded(bool complete, const QString &error);
    void ShowRows();

    TPagedGridModel *FRecords;
};

extern TFormBaseView *FormBaseView;
