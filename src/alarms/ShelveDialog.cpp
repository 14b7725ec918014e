#include "alarms/ShelveDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormShelve::TFormShelve(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormShelve"));
    setWindowTitle(QStringLiteral("Отложить тревогу"));
    ComboDuration = new QComboBox(this);
    ComboDuration->setObjectName(QStringLiteral("ComboDuration"));
    const std::pair<const char *, int> durations[] = {
        {"15 минут", 15}, {"30 минут", 30}, {"1 час", 60},
        {"2 часа", 120},  {"4 часа", 240},  {"8 часов", 480},
    };
    for (const auto &[text, minutes] : durations)
        ComboDuration->addItem(QString::fromUtf8(text), minutes);
    ComboDuration->setCurrentIndex(2);
    EditReason = new QLineEdit(this);
    EditReason->setObjectName(QStringLiteral("EditReason"));
    EditReason->setMaxLength(255);
    EditReason->setMinimumWidth(320);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Отложить"));
    Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(EditReason, &QLineEdit::textChanged, this,
            [this] { Buttons->button(QDialogButtonBox::Ok)->setEnabled(!Reason().isEmpty()); });
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("На время:"), ComboDuration);
    form->addRow(QStringLiteral("Причина:"), EditReason);
    auto *layout = new QVBoxLayout(this);
    auto *alarm = new QLabel(this);
    alarm->setObjectName(QStringLiteral("LabelAlarm"));
    alarm->setWordWrap(true);
    layout->addWidget(alarm);
    layout->addLayout(form);
    layout->addWidget(Buttons);
}

int TFormShelve::Minutes() const
{
    return ComboDuration->currentData().toInt();
}

QString TFormShelve::Reason() const
{
    return EditReason->text().trimmed();
}

bool TFormShelve::Ask(QWidget *parent, const QString &alarmText, int &minutes, QString &reason)
{
    TFormShelve dialog(parent);
    dialog.findChild<QLabel *>(QStringLiteral("LabelAlarm"))->setText(alarmText);
    if (dialog.exec() != QDialog::Accepted || dialog.Reason().isEmpty())
        return false;
    minutes = dialog.Minutes();
    reason = dialog.Reason();
    return true;
}
