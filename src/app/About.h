#pragma once

#include <QDialog>
#include <QTimer>

class QPushButton;

// The about box: product designation, developer's lines and the version, fading in when shown.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAbout(QWidget *parent = nullptr);
    ~TFormAbout() override;

    static QString ProductDesignation();
    static QString Version();

    QPushButton *ButtonClose;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FadeStep();

    QTimer FadeTimer;
    int FOpacity = 0; // 0..255
};

extern TFormAbout *FormAbout;
