#pragma once

#include "ActionControl.h"
#include "Panel.h"

// A TPanel bound to a QAction; the action's caption becomes the panel's caption.
class TActionPanel : public TActionControl<TPanel>
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ GetAction WRITE SetAction)

public:
    explicit TActionPanel(QWidget *parent = nullptr)
        : TActionControl(parent, [this](const QString &caption) { SetCaption(caption); })
    { }
};
