#include "PoligonEditor.h"

#include "elements/Poligon.h"

TFormEditPoligon *FormEditPoligon = nullptr;

namespace {

TPoligon *MakePreview()
{
    auto *preview = new TPoligon;
    preview->setObjectName(QStringLiteral("TestPoligon"));
    preview->resize(100, 90);
    return preview;
}

} // namespace

TFormEditPoligon::TFormEditPoligon(QWidget *parent)
    : TSectionEditor(
        parent, QStringLiteral("FormEditPoligon"), QStringLiteral("Свойства многоугольника:"),
        QStringLiteral("Толщина стенок:"), MakePreview(),
        {{QStringLiteral("Цвет стенок"), "Pen"}, {QStringLiteral("Цвет заливки"), "Brush"}})
{
    if (!FormEditPoligon)
        FormEditPoligon = this;
    RouteClass(QStringLiteral("TPoligon"), true);
}

TFormEditPoligon::~TFormEditPoligon()
{
    if (FormEditPoligon == this)
        FormEditPoligon = nullptr;
}
