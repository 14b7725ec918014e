#pragma once

#include <QString>

// Message boxes and the simple beep behind one replaceable interface, so the rest of the program
// never blocks a test on a modal dialog and a test can see what would have been shown.

enum class TMsgIcon { None, Information, Warning, Error, Question };

// Buttons as bit flags; MessageBox returns the one that was pressed.
enum TMsgButton : int {
    mbNone = 0,
    mbOK = 0x1,
    mbCancel = 0x2,
    mbYes = 0x4,
    mbNo = 0x8,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
};

class TFeedback
{
public:
    virtual ~TFeedback() = default;
    virtual int MessageBox(const QString &text, const QString &caption, TMsgIcon icon, int buttons,
                           int defaultButton)
        = 0;
    virtual void Beep() = 0;
};

// The process-wide feedback; by default real QMessageBox dialogs and QApplication::beep().
TFeedback &Feedback();
// Replaces the process-wide feedback (nullptr restores the default). The caller keeps ownership.
void SetFeedback(TFeedback *feedback);

// The program's conventions: errors with caption "Ошибка" and the error icon; questions Yes/No with No
// as the default button.
void ShowError(const QString &text);
bool AskYesNo(const QString &text, const QString &caption);
void Beep();
