#pragma once

#include "ElementEditor.h"

// The level-indicator editor: walls and the colours of the fill; an accepted edit is not
// copied to the indicator's group.
class TFormEditBarrel : public TSectionEditor
{
    Q_OBJECT

public:
    explicit TFormEditBarrel(QWidget *parent = nullptr);
    ~TFormEditBarrel() override;
};

extern TFormEditBarrel *FormEditBarrel;
