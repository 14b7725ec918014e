#pragma once

#include "base/Feedback.h"

#include <QList>
#include <QString>

// Records every message box and beep instead of showing them; questions get scripted answers.
// Installs itself for its lifetime.
class RecordingFeedback final : public TFeedback
{
public:
    struct Message
    {
        QString text;
        QString caption;
        TMsgIcon icon;
        int buttons;
        int defaultButton;
    };

    RecordingFeedback();
    ~RecordingFeedback() override;

    int MessageBox(const QString &text, const QString &caption, TMsgIcon icon, int buttons,
                   int defaultButton) override;
    void Beep() override { ++beeps; }

    // Answers for the next questions, in order; when none is left the default button is pressed.
    QList<int> answers;
    QList<Message> messages;
    int beeps = 0;

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear()
    {
        messages.clear();
        answers.clear();
        beeps = 0;
    }
};
