#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The modal input of a new set-point value: a prompt label, one edit line, "Задать" and "Отмена".
class TFormInputNewSet : public QDialog
{
    Q_OBJECT

public:
    explicit TFormInputNewSet(QWidget *parent = nullptr);
    ~TFormInputNewSet() override;

    // Shows the dialog with the label and an empty edit; true with the entered text on "Задать".
    // current: the measured value and the set-point in force, shown for information; linkFresh:
    // false adds the warning that the command may not reach the plant.
    bool Ask(const QString &label, QString &text, const QString &current = QString(),
             bool linkFresh = true);

    QLabel *LabelParName;
    QLabel *LabelCurrent;
    QLabel *LabelLinkWarning;
    QLineEdit *EditInput;
    QPushButton *ButtonOK;
    QPushButton *ButtonCancel;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormInputNewSet *FormInputNewSet;
