#include "OutFieldEditor.h"

#include "elements/OutField.h"

TFormOutFieldEdit *FormOutFieldEdit = nullptr;

namespace {

TOutField *MakePreview()
{
    auto *preview = new TOutField;
    preview->setObjectName(QStringLiteral("TestOutField"));
    preview->resize(150, 32);
    preview->SetOutFormat(QStringLiteral("###0 кг/м3"));
    preview->SetOutValue(1952);
    return preview;
}

} // namespace

TFormOutFieldEdit::TFormOutFieldEdit(QWidget *parent)
    : TSectionEditor(
        parent, QStringLiteral("FormOutFieldEdit"), QStringLiteral("Свойства поля вывода:"),
        QStringLiteral("Толщина границы:"), MakePreview(),
        {{QStringLiteral("Цвет фона"), "Brush"}, {QStringLiteral("Цвет границы"), "Pen"}}, true)
{
    if (!FormOutFieldEdit)
        FormOutFieldEdit = this;
    RouteClass(QStringLiteral("TOutField"), true);
}

TFormOutFieldEdit::~TFormOutFieldEdit()
{
    if (FormOutFieldEdit == this)
        FormOutFieldEdit = nullptr;
}
