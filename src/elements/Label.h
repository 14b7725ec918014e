#pragma once

#include "Clickable.h"

#include <QLabel>

// The plain text label of the diagrams, with a colour-group Tag and a click slot.
class TLabel : public TClickable<QLabel>
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit TLabel(QWidget *parent = nullptr);

    int GetTag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};
