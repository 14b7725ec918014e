#pragma once

#include "Style.h"

#include <QImage>
#include <QString>

// A bitmap owned by an element, used as a brush pattern. A file name is taken relative to the
// executable's folder (either slash works). Edits notify the owner like a pen or brush does.
// A design file may give a bitmap property as a file name: strings convert to bitmaps.
class TBitmap : public TStyleObject
{
public:
    TBitmap();
    TBitmap(const TBitmap &) = default;
    TBitmap &operator=(const TBitmap &other)
    {
        Assign(other);
        return *this;
    }

    const QImage &Image() const { return m_image; }
    // False, and nothing changed, when the file is missing or not a picture.
    bool LoadFromFile(const QString &fileName);
    void SetImage(const QImage &image);
    void Assign(const TBitmap &other) { SetImage(other.m_image); }
    // Only a bitmap larger than one pixel serves as a pattern; smaller ones stand for "none".
    bool IsPattern() const { return m_image.width() * m_image.height() > 1; }
    bool operator==(const TBitmap &other) const { return m_image == other.m_image; }

private:
    QImage m_image;
};

// The file a configured name stands for: relative names resolve against the executable's folder.
QString FileBesideExecutable(const QString &name);
