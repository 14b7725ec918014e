#include "Bitmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaType>

TBitmap::TBitmap()
{
    static const bool converts =
        QMetaType::registerConverter<QString, TBitmap>([](const QString &fileName) {
            TBitmap bitmap;
            bitmap.LoadFromFile(fileName);
            return bitmap;
        });
    Q_UNUSED(converts);
}

bool TBitmap::LoadFromFile(const QString &fileName)
{
    QImage image;
    if (fileName.isEmpty() || !image.load(FileBesideExecutable(fileName)))
        return false;
    SetImage(image);
    return true;
}

void TBitmap::SetImage(const QImage &image)
{
    if (m_image == image)
        return;
    m_image = image;
    Changed();
}

QString FileBesideExecutable(const QString &name)
{
    const QString path = QString(name).replace(u'\\', u'/');
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(path));
}
