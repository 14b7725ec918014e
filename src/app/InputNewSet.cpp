#include "app/InputNewSet.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFormInputNewSet *FormInputNewSet = nullptr;

TFormInputNewSet::TFormInputNewSet(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , LabelParName(new QLabel(QStringLiteral("Наименование параметра:"), this))
    , LabelCurrent(new QLabel(this))
    , LabelLinkWarning(new QLabel(
          QStringLiteral("Нет свежей связи с сервером: задание может не дойти до установки."),
          this))
    , EditInput(new QLineEdit(this))
    , ButtonOK(new QPushButton(QStringLiteral("Задать"), this))
    , ButtonCancel(new QPushButton(QStringLiteral("Отмена"), this))
{
    setObjectName(QStringLiteral("FormInputNewSet"));
    setWindowTitle(QStringLiteral("Новое задание"));
    LabelParName->setObjectName(QStringLiteral("LabelParName"));
    EditInput->setObjectName(QStringLiteral("EditInput"));
    LabelCurrent->setObjectName(QStringLiteral("LabelCurrent"));
    LabelLinkWarning->setObjectName(QStringLiteral("LabelLinkWarning"));
    LabelLinkWarning->setWordWrap(true);

    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    QPalette navy = palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    navy.setColor(QPalette::Text, QColor(0, 0, 128));
    navy.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    setPalette(navy);
    QPalette red = LabelLinkWarning->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    LabelLinkWarning->setPalette(red);

    ButtonOK->setDefault(true); // Enter
    ButtonCancel->setAutoDefault(false);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects as well

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelParName);
    layout->addWidget(EditInput);
    layout->addWidget(LabelCurrent);
    layout->addWidget(LabelLinkWarning);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(380);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (!FormInputNewSet)
        FormInputNewSet = this;
}

TFormInputNewSet::~TFormInputNewSet()
{
    if (FormInputNewSet == this)
        FormInputNewSet = nullptr;
}

bool TFormInputNewSet::Ask(const QString &label, QString &text, const QString &current,
                           bool linkFresh)
{
    LabelParName->setText(label);
    LabelCurrent->setText(current);
    LabelCurrent->setVisible(!current.isEmpty());
    LabelLinkWarning->setVisible(!linkFresh);
    EditInput->clear();
    if (exec() != QDialog::Accepted)
        return false;
    text = EditInput->text();
    return true;
}

void TFormInputNewSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        move(free.left() + (free.width() - width()) / 2,
             free.top() + (free.height() - height()) / 2);
    }
    EditInput->setFocus();
}
