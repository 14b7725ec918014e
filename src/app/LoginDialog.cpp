#include "app/LoginDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const int MaxCredentialLength = 31;
}

TLoginDialog::TLoginDialog(const QString &login, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , EditUserName(new QLineEdit(login, this))
    , EditPassword(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Database Login"));
    EditUserName->setObjectName(QStringLiteral("EditUserName"));
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditUserName->setMaxLength(MaxCredentialLength);
    EditPassword->setMaxLength(MaxCredentialLength);
    EditPassword->setEchoMode(QLineEdit::Password);
    EditPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Database:"), new QLabel(QStringLiteral("КВ-512ТС/НК"), this));
    auto *userLabel = new QLabel(QStringLiteral("&User Name:"), this);
    userLabel->setBuddy(EditUserName);
    form->addRow(userLabel, EditUserName);
    auto *passwordLabel = new QLabel(QStringLiteral("&Password:"), this);
    passwordLabel->setBuddy(EditPassword);
    form->addRow(passwordLabel, EditPassword);
    form->addRow(buttons);
    form->setSizeConstraint(QLayout::SetFixedSize);
    // The user name is usually right; the password is what is asked for.
    EditPassword->setFocus();
}

QString TLoginDialog::Login() const
{
    return EditUserName->text();
}

QString TLoginDialog::Password() const
{
    return EditPassword->text();
}

bool DatabaseLoginPrompt(QString &login, QString &password)
{
    TLoginDialog dialog(login);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    login = dialog.Login();
    password = dialog.Password();
    return true;
}
