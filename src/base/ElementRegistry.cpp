#include "ElementRegistry.h"

#include <QList>
#include <QPair>

namespace {

using TEntries = QList<QPair<QString, TElementFactory>>;

TEntries &Entries()
{
    static TEntries entries;
    return entries;
}

const TElementFactory *FactoryOf(const QString &className)
{
    for (const auto &entry : Entries()) {
        if (entry.first == className)
            return &entry.second;
    }
    return nullptr;
}

} // namespace

void RegisterElementClass(const QString &className, TElementFactory factory)
{
    for (auto &entry : Entries()) {
        if (entry.first == className) {
            entry.second = std::move(factory);
            return;
        }
    }
    Entries().append({className, std::move(factory)});
}

QWidget *CreateElement(const QString &className, QWidget *parent)
{
    const TElementFactory *factory = FactoryOf(className);
    return factory ? (*factory)(parent) : nullptr;
}

bool IsElementClassRegistered(const QString &className)
{
    return FactoryOf(className) != nullptr;
}

QStringList RegisteredElementClasses()
{
    QStringList names;
    for (const auto &entry : Entries())
        names.append(entry.first);
    return names;
}
