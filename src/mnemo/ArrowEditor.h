#pragma once

#include "ElementEditor.h"

class TArrow;

// The pipe editor: works on the pipe's width and colour, not through sections; "Закрыть" keeps
// what was applied.
class TFormArrowEdit : public TElementEditor
{
    Q_OBJECT

public:
    explicit TFormArrowEdit(QWidget *parent = nullptr);
    ~TFormArrowEdit() override;

protected:
    void TakeTarget() override;
    void ApplyToTarget() override;
    int PreviewWidth() const override;
    void SetPreviewWidth(int width) override;

private:
    TArrow *PreviewArrow() const;
};

extern TFormArrowEdit *FormArrowEdit;
