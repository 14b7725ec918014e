#include "FormDesign.h"

#include "ElementRegistry.h"
#include "Style.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <QWidget>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

TPen PenFrom(TPen pen, const QJsonObject &fields)
{
    if (fields.contains(QLatin1String("Color")))
        pen.SetColor(fields.value(QLatin1String("Color")).toInt());
    if (fields.contains(QLatin1String("Width")))
        pen.SetWidth(fields.value(QLatin1String("Width")).toInt());
    if (fields.contains(QLatin1String("Style")))
        pen.SetStyle(TPenStyle(fields.value(QLatin1String("Style")).toInt()));
    return pen;
}

TBrush BrushFrom(TBrush brush, const QJsonObject &fields)
{
    if (fields.contains(QLatin1String("Color")))
        brush.SetColor(fields.value(QLatin1String("Color")).toInt());
    if (fields.contains(QLatin1String("Style")))
        brush.SetStyle(TBrushStyle(fields.value(QLatin1String("Style")).toInt()));
    return brush;
}

TFont FontFrom(TFont font, const QJsonObject &fields)
{
    if (fields.contains(QLatin1String("Name")))
        font.SetName(fields.value(QLatin1String("Name")).toString());
    if (fields.contains(QLatin1String("Height")))
        font.SetHeight(fields.value(QLatin1String("Height")).toInt());
    if (fields.contains(QLatin1String("Size")))
        font.SetSize(fields.value(QLatin1String("Size")).toInt());
    if (fields.contains(QLatin1String("Color")))
        font.SetColor(fields.value(QLatin1String("Color")).toInt());
    if (fields.contains(QLatin1String("Style")))
        font.SetStyle(fields.value(QLatin1String("Style")).toInt());
    return font;
}

// The value a JSON entry stands for, given the property's current value; pointer properties are
// resolved later, once every component exists.
QVariant ValueFor(const QVariant &current, const QJsonValue &json)
{
    const QMetaType type = current.metaType();
    if (type == QMetaType::fromType<TPen>())
        return QVariant::fromValue(PenFrom(current.value<TPen>(), json.toObject()));
    if (type == QMetaType::fromType<TBrush>())
        return QVariant::fromValue(BrushFrom(current.value<TBrush>(), json.toObject()));
    if (type == QMetaType::fromType<TFont>())
        return QVariant::fromValue(FontFrom(current.value<TFont>(), json.toObject()));
    if (type == QMetaType::fromType<QStringList>())
        return json.toVariant().toStringList();
    return json.toVariant();
}

struct TPendingLink
{
    QWidget *Component;
    QMetaProperty Property;
    QString Target;
};

class TDesignBuilder
{
public:
    TDesignBuilder(QWidget *form, const QString &path)
        : FForm(form)
        , FPath(path)
    { }

    QList<QWidget *> Build(const QJsonArray &components)
    {
        for (const QJsonValue &entry : components)
            Create(entry.toObject());
        for (const TPendingLink &link : FLinks)
            Link(link);
        return FComponents;
    }

private:
    void Create(const QJsonObject &entry)
    {
        const QString className = entry.value(QLatin1String("class")).toString();
        const QString name = entry.value(QLatin1String("name")).toString();
        const QString parentName = entry.value(QLatin1String("parent")).toString();
        QWidget *parent = FForm;
        if (!parentName.isEmpty()) {
            parent = FByName.value(parentName);
            if (!parent)
                Fail(Where(name) + QStringLiteral(": unknown parent ") + parentName);
        }
        QWidget *component = CreateElement(className, parent);
        if (!component)
            Fail(Where(name) + QStringLiteral(": unknown class ") + className);
        component->setObjectName(name);
        const QJsonArray geometry = entry.value(QLatin1String("geometry")).toArray();
        if (geometry.size() == 4)
            component->setGeometry(geometry[0].toInt(), geometry[1].toInt(), geometry[2].toInt(),
                                   geometry[3].toInt());
        component->show();
        FComponents.append(component);
        FByName.insert(name, component);
        if (entry.contains(QLatin1String("tag")))
            Apply(component, QStringLiteral("Tag"), entry.value(QLatin1String("tag")));
        const QJsonObject properties = entry.value(QLatin1String("properties")).toObject();
        for (auto it = properties.begin(); it != properties.end(); ++it)
            Apply(component, it.key(), it.value());
    }

    void Apply(QWidget *component, const QString &name, const QJsonValue &json)
    {
        const QMetaObject *meta = component->metaObject();
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        if (index < 0)
            Fail(Where(component->objectName()) + QStringLiteral(": no property ") + name);
        const QMetaProperty property = meta->property(index);
        if (property.metaType().flags() & QMetaType::PointerToQObject) {
            FLinks.append({component, property, json.toString()});
            return;
        }
        const QVariant value = ValueFor(property.read(component), json);
        if (!property.write(component, value))
            Fail(Where(component->objectName()) + QStringLiteral(": property ") + name
                 + QStringLiteral(" refuses its value"));
    }

    void Link(const TPendingLink &link)
    {
        QVariant value(link.Property.metaType()); // a null pointer of the property's type
        if (!link.Target.isEmpty()) {
            QObject *target = FByName.value(link.Target);
            if (!target)
                Fail(Where(link.Component->objectName()) + QStringLiteral(": unknown component ")
                     + link.Target);
            value = QVariant::fromValue(target);
        }
        if (!value.convert(link.Property.metaType()) || !link.Property.write(link.Component, value))
            Fail(Where(link.Component->objectName()) + QStringLiteral(": ")
                 + QString::fromLatin1(link.Property.name()) + QStringLiteral(" cannot point to ")
                 + link.Target);
    }

    QString Where(const QString &name) const { return FPath + QStringLiteral(", ") + name; }

    QWidget *FForm;
    QString FPath;
    QList<QWidget *> FComponents;
    QHash<QString, QWidget *> FByName;
    QList<TPendingLink> FLinks;
};

} // namespace

QList<QWidget *> LoadFormDesign(QWidget *form, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path + QStringLiteral(": cannot be read"));
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        Fail(path + QStringLiteral(": ") + error.errorString());
    const QJsonArray components = document.object().value(QLatin1String("components")).toArray();
    return TDesignBuilder(form, path).Build(components);
}
