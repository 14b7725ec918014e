#include "RecordingFeedback.h"

RecordingFeedback::RecordingFeedback()
{
    SetFeedback(this);
}

RecordingFeedback::~RecordingFeedback()
{
    SetFeedback(nullptr);
}

int RecordingFeedback::MessageBox(const QString &text, const QString &caption, TMsgIcon icon,
                                  int buttons, int defaultButton)
{
    messages.append({text, caption, icon, buttons, defaultButton});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultButton != mbNone ? defaultButton : mbOK;
}
