#include "Label.h"

TLabel::TLabel(QWidget *parent)
    : TClickable<QLabel>(parent)
{ }
