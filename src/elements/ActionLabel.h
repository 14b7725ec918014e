#pragma once

#include "ActionControl.h"
#include "Label.h"

// A TLabel bound to a QAction; the action's caption becomes the label's text.
class TActionLabel : public TActionControl<TLabel>
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ GetAction WRITE SetAction)

public:
    explicit TActionLabel(QWidget *parent = nullptr)
        : TActionControl(parent, [this](const QString &caption) { setText(caption); })
    { }
};
