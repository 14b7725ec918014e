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
    bool Ask(const QString &label, QString &text);

    QLabel *LabelParName;
    QLineEdit *EditInput;
    QPushButton *ButtonOK;
    QPushButton *ButtonCancel;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormInputNewSet *FormInputNewSet;
