#pragma once

#include "ElementEditor.h"

// The pump editor: outline and fill.
class TFormEditPump : public TSectionEditor
{
    Q_OBJECT

public:
    explicit TFormEditPump(QWidget *parent = nullptr);
    ~TFormEditPump() override;
};

extern TFormEditPump *FormEditPump;
