#include "PumpEditor.h"

#include "elements/Pump.h"

TFormEditPump *FormEditPump = nullptr;

namespace {

TPump *MakePreview()
{
    auto *preview = new TPump;
    preview->setObjectName(QStringLiteral("TestPump"));
    preview->resize(60, 60);
    return preview;
}

} // namespace

TFormEditPump::TFormEditPump(QWidget *parent)
    : TSectionEditor(
        parent, QStringLiteral("FormEditPump"), QStringLiteral("Свойства насоса:"),
        QStringLiteral("Толщина стенок:"), MakePreview(),
        {{QStringLiteral("Цвет стенок"), "Pen"}, {QStringLiteral("Цвет заливки"), "Brush"}})
{
    if (!FormEditPump)
        FormEditPump = this;
    RouteClass(QStringLiteral("TPump"), true);
}

TFormEditPump::~TFormEditPump()
{
    if (FormEditPump == this)
        FormEditPump = nullptr;
}
