#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The chart settings dialog: left scale minimum, maximum and step, each with an automatic switch,
// and the right scale's start and step. It only keeps the edits' visibility in step with the
// switches; reading and applying them is EditChartSettings.
class TFormEditGraph : public QDialog
{
    Q_OBJECT

public:
    explicit TFormEditGraph(QWidget *owner = nullptr);

    QLineEdit *EditYMin, *EditYMax, *EditYLabelStep, *EditRightYMin, *EditRightScaleStep;
    QCheckBox *CheckBoxAutoYMin, *CheckBoxAutoYMax, *CheckBoxAutoYScale, *CheckBoxShowRightScale;
    QPushButton *BitBtn1, *BitBtn2;

    void CheckBoxAutoYMinClick();
    void CheckBoxAutoYMaxClick();
    void CheckBoxAutoYScaleClick();
    void CheckBoxShowRightScaleClick();
};

// Shows the dialog modally for a trend chart and applies what the operator set; anything but a
// trend chart is ignored. Fields are applied in order, so a bad number keeps those before it.
void EditChartSettings(QWidget *chart);
