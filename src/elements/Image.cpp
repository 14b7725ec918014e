#include "Image.h"

TImage::TImage(QWidget *parent)
    : TClickable<QLabel>(parent)
{
    resize(105, 105);
}
