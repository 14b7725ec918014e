#pragma once

#include "Clickable.h"

#include <QLabel>

// A picture control with a colour-group Tag and a click slot.
class TImage : public TClickable<QLabel>
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
    Q_PROPERTY(QPixmap Picture READ GetPicture WRITE SetPicture)
    Q_PROPERTY(bool Stretch READ hasScaledContents WRITE setScaledContents)

public:
    explicit TImage(QWidget *parent = nullptr);

    int GetTag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    QPixmap GetPicture() const { return pixmap(); }
    void SetPicture(const QPixmap &picture) { setPixmap(picture); }

private:
    int m_tag = 0;
};
