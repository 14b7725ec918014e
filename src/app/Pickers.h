#pragma once

#include "base/Color.h"

class QWidget;
class TFont;

// The standard colour and font dialogs, opened modally on a current value; true on OK with the
// value replaced. The font dialog keeps the font's colour (it offers none).
bool PickColour(QWidget *parent, TColor &colour);
bool PickFont(QWidget *parent, TFont &font);
