#include "Feedback.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton toStandard(int button)
{
    switch (button) {
    case mbOK: return QMessageBox::Ok;
    case mbCancel: return QMessageBox::Cancel;
    case mbYes: return QMessageBox::Yes;
    case mbNo: return QMessageBox::No;
    case mbAbort: return QMessageBox::Abort;
    case mbRetry: return QMessageBox::Retry;
    case mbIgnore: return QMessageBox::Ignore;
    default: return QMessageBox::NoButton;
    }
}

class TDialogFeedback final : public TFeedback
{
public:
    int MessageBox(const QString &text, const QString &caption, TMsgIcon icon, int buttons,
                   int defaultButton) override
    {
        static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                  QMessageBox::Warning, QMessageBox::Critical,
                                                  QMessageBox::Question};
        QMessageBox box(icons[int(icon)], caption, text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        for (int bit = mbOK; bit <= mbIgnore; bit <<= 1) {
            if (buttons & bit)
                box.addButton(toStandard(bit));
        }
        if (defaultButton != mbNone)
            box.setDefaultButton(toStandard(defaultButton));
        const int pressed = box.exec();
        for (int bit = mbOK; bit <= mbIgnore; bit <<= 1) {
            if (pressed == toStandard(bit))
                return bit;
        }
        return mbCancel;
    }
    void Beep() override { QApplication::beep(); }
};

TDialogFeedback dialogFeedback;
TFeedback *current = &dialogFeedback;

} // namespace

TFeedback &Feedback()
{
    return *current;
}

void SetFeedback(TFeedback *feedback)
{
    current = feedback ? feedback : &dialogFeedback;
}

void ShowError(const QString &text)
{
    Feedback().MessageBox(text, QStringLiteral("Ошибка"), TMsgIcon::Error, mbOK, mbOK);
}

bool AskYesNo(const QString &text, const QString &caption)
{
    return Feedback().MessageBox(text, caption, TMsgIcon::Question, mbYes | mbNo, mbNo) == mbYes;
}

void Beep()
{
    Feedback().Beep();
}
