#include "BarrelEditor.h"

#include "elements/Barrel.h"

TFormEditBarrel *FormEditBarrel = nullptr;

namespace {

TBarrel *MakePreview()
{
    auto *preview = new TBarrel;
    preview->setObjectName(QStringLiteral("TestBarrel"));
    preview->resize(40, 90);
    return preview;
}

} // namespace

TFormEditBarrel::TFormEditBarrel(QWidget *parent)
    : TSectionEditor(parent, QStringLiteral("FormEditBarrel"),
                     QStringLiteral("Свойства индикатора уровня"),
                     QStringLiteral("Толщина стенок:"), MakePreview(),
                     {{QStringLiteral("Цвет стенок"), "Pen"},
                      {QStringLiteral("Цвет внизу"), "DownColor"},
                      {QStringLiteral("Цвет вверху"), "UpColor"}})
{
    if (!FormEditBarrel)
        FormEditBarrel = this;
    RouteClass(QStringLiteral("TBarrel"), false);
}

TFormEditBarrel::~TFormEditBarrel()
{
    if (FormEditBarrel == this)
        FormEditBarrel = nullptr;
}
