#pragma once

#include "base/Moment.h"

#include <QColor>
#include <QWidget>

// Colour of the link lamp for a heartbeat moment: red when it is more than 10 s old, yellow when
// more than 5 s, else green (a heartbeat from the future included). Ages are compared in whole
// milliseconds so that exactly 5 s or 10 s is not tipped over by rounding of the moments.
QColor LinkColour(TMoment heartbeat, TMoment now);

inline const QColor LinkSilver(192, 192, 192); // no heartbeat read yet
inline const QColor LinkGreen(0, 128, 0);
inline const QColor LinkYellow(255, 255, 0);
inline const QColor LinkRed(255, 0, 0);

// The lamp: a 15 x 15 circle filled with its colour.
class TLinkLamp : public QWidget
{
    Q_OBJECT

public:
    explicit TLinkLamp(QWidget *parent = nullptr);

    QColor GetColor() const { return FColor; }
    void SetColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor FColor = LinkSilver;
};
