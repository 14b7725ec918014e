#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Component class names and their factories, for the design-file loader and the layout code, which
// look components up by their exact class name. The registry knows no library: each component
// library registers its own classes (RegisterElementLibrary, RegisterChartLibrary).
using TElementFactory = std::function<QWidget *(QWidget *parent)>;

// A second registration of a name replaces its factory.
void RegisterElementClass(const QString &className, TElementFactory factory);
// nullptr for an unknown class name.
QWidget *CreateElement(const QString &className, QWidget *parent = nullptr);
bool IsElementClassRegistered(const QString &className);
// In the order of registration.
QStringList RegisteredElementClasses();

// Registers class T under its meta-object class name.
template<class T> void Register()
{
    RegisterElementClass(QString::fromLatin1(T::staticMetaObject.className()),
                         [](QWidget *parent) { return new T(parent); });
}
