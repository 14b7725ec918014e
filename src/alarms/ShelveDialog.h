#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

// Asks for how long an alarm is shelved (up to 8 hours) and why; OK only with a reason.
class TFormShelve : public QDialog
{
    Q_OBJECT

public:
    explicit TFormShelve(QWidget *parent = nullptr);

    // Modal; true on OK with the duration in minutes and the reason.
    static bool Ask(QWidget *parent, const QString &alarmText, int &minutes, QString &reason);

    int Minutes() const;
    QString Reason() const;

    QComboBox *ComboDuration;
    QLineEdit *EditReason;
    QDialogButtonBox *Buttons;
};
