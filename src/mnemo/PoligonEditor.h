#pragma once

#include "ElementEditor.h"

// The polygon editor: outline and fill.
class TFormEditPoligon : public TSectionEditor
{
    Q_OBJECT

public:
    explicit TFormEditPoligon(QWidget *parent = nullptr);
    ~TFormEditPoligon() override;
};

extern TFormEditPoligon *FormEditPoligon;
