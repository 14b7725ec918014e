#include "Layout.h"

#include "Global.h"
#include "base/IniFile.h"
#include "base/Style.h"
#include "elements/Element.h"
#include "elements/Label.h"

#include <QCursor>
#include <QDir>
#include <QHash>
#include <QVariant>
#include <QWidget>
#include <exception>
#include <optional>

namespace {

QString ClassNameOf(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

// --- click slots and what binding kept aside

TClickEvent *ClickSlot(QWidget *widget)
{
    if (auto *element = qobject_cast<TElement *>(widget))
        return &element->OnClick();
    if (auto *label = qobject_cast<TLabel *>(widget))
        return &label->OnClick();
    return nullptr;
}

// The handler and cursor an element had before it was bound, given back when it is unbound (the
// set-point fields of the diagram keep their click and hand cursor across the setup mode).
struct TKeptClick
{
    TClickEvent Click;
    std::optional<QCursor> Cursor;
    QMetaObject::Connection Forget;
};

QHash<QWidget *, TKeptClick> &KeptClicks()
{
    static QHash<QWidget *, TKeptClick> kept;
    return kept;
}

// Marks the click route of one window, so that it is told apart from a handler the window
// installed itself (the set-point fields of the diagram).
// Found again by its name: a search by class would take any child of the window, since a class
// without its own meta-object is just a QObject to it.
const QObject *RouteOwner(QWidget *window)
{
    const QString name = QStringLiteral("LayoutRouteOwner");
    if (QObject *owner = window->findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
        return owner;
    auto *owner = new QObject(window);
    owner->setObjectName(name);
    return owner;
}

void Bind(QWidget *element, TClickEvent &click, QWidget *window)
{
    const QObject *owner = RouteOwner(window);
    if (click.IsOwnedBy(owner))
        return;
    auto &kept = KeptClicks();
    // Bound by another window before: that window's route is not worth keeping.
    if (!kept.contains(element)) {
        TKeptClick entry;
        entry.Click = click;
        if (element->testAttribute(Qt::WA_SetCursor))
            entry.Cursor = element->cursor();
        entry.Forget = QObject::connect(element, &QObject::destroyed,
                                        [element] { KeptClicks().remove(element); });
        kept.insert(element, entry);
    }
    click.Set([window](QObject *sender) { RouteElementClick(window, sender); }, owner);
    element->setCursor(Qt::CrossCursor);
}

void Unbind(QWidget *element, TClickEvent &click, QWidget *window)
{
    if (!click.IsOwnedBy(RouteOwner(window)))
        return;
    const auto found = KeptClicks().find(element);
    if (found == KeptClicks().end()) {
        click.Clear();
        element->unsetCursor();
        return;
    }
    click = found->Click;
    if (found->Cursor)
        element->setCursor(*found->Cursor);
    else
        element->unsetCursor();
    QObject::disconnect(found->Forget);
    KeptClicks().erase(found);
}

// --- the route table

QList<TEditRouterRec> &Routes()
{
    static QList<TEditRouterRec> routes {
        {QStringLiteral("TArrow"), {}},
        {QStringLiteral("TBarrel"), {}},
        {QStringLiteral("TLabel"), {}},
        {QStringLiteral("TOutField"), {}},
        {QStringLiteral("TPump"), {}},
        {QStringLiteral("TPoligon"), {}},
        {QString(), {}},
    };
    return routes;
}

struct TGroupColourRule
{
    const char *ClassName;
    std::initializer_list<const char *> Properties;
    bool Repaint; // the class does not repaint on pen and brush edits itself
};

const TGroupColourRule GroupColourRules[] = {
    {"TArrow", {"Color"}, false},
    {"TOutField", {"Pen"}, false},
    {"TLabel", {"Font"}, false},
    {"TConusBox", {"WaterColor"}, false},
    {"TPump", {"Brush"}, false},
    {"TValve", {"Pen", "Brush"}, true},
    {"TPoligon", {"Brush"}, false},
    {"TBladeWheel", {"BladePen", "Pen"}, false},
    {"TPanel", {"Color"}, false},
    {"TActionPanel", {"Color"}, false},
    {"TWaterCircle", {"WaterColor"}, false},
    {"TEBM", {"StatorBrush"}, false},
    {"TMixer", {"WaterColor"}, false},
    {"TSeparator", {"WaterColor"}, false},
    {"TSkat", {"Brush"}, false},
};

int TagOf(const QObject *object)
{
    const QVariant tag = object->property("Tag");
    return tag.isValid() ? tag.toInt() : 0;
}

const QString FontColorKey = QStringLiteral("FontColor");
const QString FontSizeKey = QStringLiteral("FontSize");
const QString FontNameKey = QStringLiteral("FontName");

QString LabelFontFile(const QWidget *label)
{
    const QWidget *parent = label->parentWidget();
    return LayoutFilePath(parent ? parent->objectName() : QString());
}

} // namespace

// --- setup mode

TLayoutNotifier &LayoutNotifier()
{
    static TLayoutNotifier notifier;
    return notifier;
}

void SetInteractiveSetup(bool on)
{
    InteractiveSetup = on;
    emit LayoutNotifier().SetupModeChanged(on);
}

// --- layout files

QString LayoutFolder()
{
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("config"));
    QDir().mkpath(folder);
    return folder;
}

QString LayoutFilePath(const QString &windowName)
{
    return LayoutFolder() + QLatin1Char('/') + windowName + QStringLiteral(".INI");
}

// --- binding

void BindLayoutClick(QWidget *element, QWidget *window)
{
    TClickEvent *click = ClickSlot(element);
    if (!click)
        return;
    if (InteractiveSetup)
        Bind(element, *click, window);
    else
        Unbind(element, *click, window);
}

void ApplyLayout(QWidget *window, const QList<QWidget *> &components, const QString &layoutFile)
{
    // Every class with an element editor, so that each editor can be reached.
    static const QStringList sectionClasses {QStringLiteral("TArrow"), QStringLiteral("TOutField"),
                                             QStringLiteral("TPump"), QStringLiteral("TPoligon"),
                                             QStringLiteral("TBarrel")};
    for (QWidget *component : components) {
        const QString name = ClassNameOf(component);
        if (sectionClasses.contains(name)) {
            auto *element = static_cast<TElement *>(component);
            element->SetConfigName(layoutFile);
            BindLayoutClick(element, window);
            element->LoadConfig();
        } else if (name == QLatin1String("TLabel")) {
            BindLayoutClick(component, window);
            LoadLabelFont(component);
        }
    }
}

// --- routes

const QList<TEditRouterRec> &EditRouteTable()
{
    return Routes();
}

bool SetEditRoute(const QString &className, TEditRouteHandler handler)
{
    if (className.isEmpty())
        return false;
    for (TEditRouterRec &row : Routes()) {
        if (row.Name == className) {
            row.Handler = std::move(handler);
            return true;
        }
    }
    return false;
}

bool RouteElementClick(QWidget *window, QObject *sender)
{
    auto *element = qobject_cast<QWidget *>(sender);
    if (!element)
        return false;
    const QString name = ClassNameOf(element);
    for (const TEditRouterRec &row : Routes()) {
        if (row.Name.isEmpty())
            break;
        if (row.Name != name)
            continue;
        if (!row.Handler)
            return false;
        // The handler may replace its own row; it runs from a copy.
        const TEditRouteHandler handler = row.Handler;
        try {
            return handler(element, window);
        } catch (const std::exception &) {
            return false;
        }
    }
    return false;
}

// --- colour groups

void SetGroupColour(const QList<QWidget *> &components, int tag, TColor colour)
{
    for (QWidget *component : components) {
        if (TagOf(component) != tag)
            continue;
        const char *name = component->metaObject()->className();
        for (const TGroupColourRule &rule : GroupColourRules) {
            if (qstrcmp(rule.ClassName, name) != 0)
                continue;
            for (const char *property : rule.Properties)
                SetColourProperty(component, property, colour);
            if (rule.Repaint)
                component->update();
            break;
        }
    }
}

QList<QWidget *> ElementGroup(QWidget *window, const QWidget *element)
{
    QList<QWidget *> group;
    const int tag = TagOf(element);
    if (!window || tag == 0)
        return group;
    const char *name = element->metaObject()->className();
    for (QWidget *candidate : window->findChildren<QWidget *>()) {
        if (qstrcmp(candidate->metaObject()->className(), name) == 0 && TagOf(candidate) == tag)
            group.append(candidate);
    }
    return group;
}

// --- label fonts

bool SaveLabelFont(QWidget *label)
{
    try {
        const QVariant value = label->property("Font");
        if (value.metaType() != QMetaType::fromType<TFont>())
            return false;
        const TFont font = value.value<TFont>();
        TIniFile ini(LabelFontFile(label));
        const QString section = label->objectName();
        ini.WriteInteger(section, FontColorKey, font.Color());
        ini.WriteInteger(section, FontSizeKey, font.Size());
        ini.WriteString(section, FontNameKey, font.Name());
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool LoadLabelFont(QWidget *label)
{
    try {
        const QVariant value = label->property("Font");
        if (value.metaType() != QMetaType::fromType<TFont>())
            return false;
        TFont font;
        font.Assign(value.value<TFont>());
        const TIniFile ini(LabelFontFile(label));
        const QString section = label->objectName();
        font.SetColor(ini.ReadInteger(section, FontColorKey, font.Color()));
        font.SetSize(ini.ReadInteger(section, FontSizeKey, font.Size()));
        font.SetName(ini.ReadString(section, FontNameKey, font.Name()));
        label->setProperty("Font", QVariant::fromValue(font));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

// --- colour properties

void SetColourProperty(QObject *object, const char *property, TColor colour)
{
    const QVariant value = object->property(property);
    if (!value.isValid())
        return;
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<TPen>()) {
        TPen pen;
        pen.Assign(value.value<TPen>());
        pen.SetColor(colour);
        object->setProperty(property, QVariant::fromValue(pen));
    } else if (type == QMetaType::fromType<TBrush>()) {
        TBrush brush;
        brush.Assign(value.value<TBrush>());
        brush.SetColor(colour);
        object->setProperty(property, QVariant::fromValue(brush));
    } else if (type == QMetaType::fromType<TFont>()) {
        TFont font;
        font.Assign(value.value<TFont>());
        font.SetColor(colour);
        object->setProperty(property, QVariant::fromValue(font));
    } else {
        object->setProperty(property, QVariant::fromValue<TColor>(colour));
    }
}

TColor ColourProperty(const QObject *object, const char *property)
{
    const QVariant value = object->property(property);
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<TPen>())
        return value.value<TPen>().Color();
    if (type == QMetaType::fromType<TBrush>())
        return value.value<TBrush>().Color();
    if (type == QMetaType::fromType<TFont>())
        return value.value<TFont>().Color();
    return value.value<TColor>();
}
