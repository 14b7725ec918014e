#pragma once

#include "base/Moment.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class TDataGrid;

// The database browser: the raw process records between two chosen moments, one column per field.
class TFormBaseView : public QWidget
{
    Q_OBJECT

public:
    explicit TFormBaseView(QWidget *parent = nullptr);
    ~TFormBaseView() override;

    // Lists the records from the start to the stop moment of the pickers, both inclusive.
    void Load();
    TMoment StartMoment() const;
    TMoment StopMoment() const;

    QWidget *PanelTop;
    QLabel *Label1;
    QLabel *Label2;
    QDateEdit *DateTimePicker1;
    QTimeEdit *DateTimePicker2;
    QLabel *Label3;
    QDateEdit *DateTimePicker3;
    QTimeEdit *DateTimePicker4;
    QPushButton *ButLoad;
    QTabWidget *PageControl1;
    TDataGrid *Grid;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

extern TFormBaseView *FormBaseView;
