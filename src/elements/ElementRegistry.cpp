#include "ElementRegistry.h"

#include "ActionImage.h"
#include "ActionLabel.h"
#include "ActionPanel.h"
#include "Arrow.h"
#include "Barrel.h"
#include "ConusBox.h"
#include "Image.h"
#include "Label.h"
#include "OutField.h"
#include "Pandus.h"
#include "Panel.h"
#include "Poligon.h"
#include "PullOut.h"
#include "Pump.h"
#include "ShlamBox.h"
#include "Skat.h"
#include "Transporter.h"
#include "Valve.h"
#include "WaterBox.h"
#include "WaterCircle.h"

#include <QList>
#include <QPair>

namespace {

using TEntries = QList<QPair<QString, TElementFactory>>;

// The library's own classes, one Register entry each; other libraries add theirs through
// RegisterElementClass.
void RegisterLibraryClasses()
{
    Register<TWaterBox>();
    Register<TWaterCircle>();
    Register<TPandus>();
    Register<TTransporter>();
    Register<TArrow>();
    Register<TValve>();
    Register<TPullOut>();
    Register<TShlamBox>();
    Register<TBarrel>();
    Register<TOutField>();
    Register<TPump>();
    Register<TPoligon>();
    Register<TConusBox>();
    Register<TSkat>();
    Register<TPanel>();
    Register<TLabel>();
    Register<TImage>();
    Register<TActionPanel>();
    Register<TActionLabel>();
    Register<TActionImage>();
}

TEntries &Entries()
{
    static TEntries entries;
    static bool filled = false;
    if (!filled) {
        filled = true;
        RegisterLibraryClasses();
    }
    return entries;
}

} // namespace

void RegisterElementClass(const QString &className, TElementFactory factory)
{
    TEntries &entries = Entries();
    for (auto &entry : entries) {
        if (entry.first == className) {
            entry.second = std::move(factory);
            return;
        }
    }
    entries.append({className, std::move(factory)});
}

QWidget *CreateElement(const QString &className, QWidget *parent)
{
    for (const auto &entry : Entries()) {
        if (entry.first == className)
            return entry.second(parent);
    }
    return nullptr;
}

bool IsElementClassRegistered(const QString &className)
{
    return RegisteredElementClasses().contains(className);
}

QStringList RegisteredElementClasses()
{
    QStringList names;
    for (const auto &entry : Entries())
        names.append(entry.first);
    return names;
}
