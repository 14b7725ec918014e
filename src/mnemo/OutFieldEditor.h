#pragma once

#include "ElementEditor.h"

// The value-field editor: frame, background and font.
class TFormOutFieldEdit : public TSectionEditor
{
    Q_OBJECT

public:
    explicit TFormOutFieldEdit(QWidget *parent = nullptr);
    ~TFormOutFieldEdit() override;
};

extern TFormOutFieldEdit *FormOutFieldEdit;
