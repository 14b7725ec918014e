#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

// One picture of the gallery sheet: a caption and a function that builds the configured widget.
struct TGalleryEntry
{
    QString caption;
    std::function<QWidget *()> make;
    int span = 1; // columns of the sheet the picture takes (wide controls such as charts)
};

// An element of class T, sized and then configured by the given function.
template<class T>
TGalleryEntry Variant(const QString &caption, QSize size, std::function<void(T &)> configure)
{
    return {caption, [size, configure] {
                auto *element = new T;
                element->resize(size);
                configure(*element);
                return element;
            }};
}

// Every registered element class with its defaults, then the telling variants.
QList<TGalleryEntry> GalleryEntries();
// The trend chart and the array graph with demonstration data.
QList<TGalleryEntry> ChartEntries();
// Machines, particle columns, gauges, the animated conveyor and tank profiles in telling states.
QList<TGalleryEntry> MachineEntries();
