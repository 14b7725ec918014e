#pragma once

#include "ActionControl.h"
#include "Image.h"

// A TImage bound to a QAction; a picture shows no caption.
class TActionImage : public TActionControl<TImage>
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ GetAction WRITE SetAction)

public:
    explicit TActionImage(QWidget *parent = nullptr)
        : TActionControl(parent, [](const QString &) {})
    { }
};
