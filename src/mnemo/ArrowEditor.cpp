#include "ArrowEditor.h"

#include "elements/Arrow.h"

TFormArrowEdit *FormArrowEdit = nullptr;

namespace {

TArrow *MakePreview()
{
    auto *arrow = new TArrow;
    arrow->setObjectName(QStringLiteral("TestArrow"));
    arrow->resize(160, 40);
    arrow->SetEdgeLength(0);
    return arrow;
}

} // namespace

TFormArrowEdit::TFormArrowEdit(QWidget *parent)
    : TElementEditor(parent, QStringLiteral("FormArrowEdit"), QStringLiteral("Свойства стрелок:"),
                     QStringLiteral("Толщина:"), MakePreview(), {{QStringLiteral("Цвет"), "Color"}},
                     false, true)
{
    if (!FormArrowEdit)
        FormArrowEdit = this;
    RouteClass(QStringLiteral("TArrow"), true);
}

TFormArrowEdit::~TFormArrowEdit()
{
    if (FormArrowEdit == this)
        FormArrowEdit = nullptr;
}

TArrow *TFormArrowEdit::PreviewArrow() const
{
    return static_cast<TArrow *>(Preview());
}

void TFormArrowEdit::TakeTarget()
{
    auto *target = static_cast<TArrow *>(Target());
    PreviewArrow()->SetArrowWidth(target->GetArrowWidth());
    PreviewArrow()->SetColor(target->GetColor());
}

int TFormArrowEdit::PreviewWidth() const
{
    return PreviewArrow()->GetArrowWidth();
}

void TFormArrowEdit::SetPreviewWidth(int width)
{
    PreviewArrow()->SetArrowWidth(width);
}

void TFormArrowEdit::ApplyToTarget()
{
    auto *target = static_cast<TArrow *>(Target());
    target->SetArrowWidth(PreviewArrow()->GetArrowWidth());
    target->SetColor(PreviewArrow()->GetColor());
}
