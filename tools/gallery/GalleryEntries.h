#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

// One picture of the gallery sheet: a caption and a function that builds the configured widget.
struct TGalleryEntry
{
    QString caption;
    std::function<QWidget *()> make;
    int span = 1; // columns of the sheet the picture takes (wide controls such as charts)
};

// Every registered element class with its defaults, then the telling variants.
QList<TGalleryEntry> GalleryEntries();
// The trend chart and the array graph with demonstration data.
QList<TGalleryEntry> ChartEntries();
