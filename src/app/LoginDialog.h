#pragma once

#include <QDialog>

class QLineEdit;

// The "Database Login" prompt for the database user and password.
class TLoginDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TLoginDialog(const QString &login, QWidget *parent = nullptr);

    QString Login() const;
    QString Password() const;

    QLineEdit *EditUserName;
    QLineEdit *EditPassword;
};

// The prompt as the settings loader asks it: on OK login and password become the entered texts, on
// Cancel they stay as they were.
bool DatabaseLoginPrompt(QString &login, QString &password);
