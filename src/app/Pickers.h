#pragma once

#include "base/Color.h"

#include <QString>

class QDateEdit;
class QWidget;
class TFont;

// The standard colour and font dialogs, opened modally on a current value; true on OK with the
// value replaced. The font dialog keeps the font's colour (it offers none).
bool PickColour(QWidget *parent, TColor &colour);
bool PickFont(QWidget *parent, TFont &font);

// A date picker as the windows use them: a drop-down calendar, "dd.MM.yyyy", today's date (as the
// program's clock tells it) and the given component name.
QDateEdit *MakeDatePicker(QWidget *parent, const QString &name);
