#include "app/Application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString ApplicationTitle = QStringLiteral("ТАЛМЕР-АСУ-ТС-512");
const QString QtTextsName = QStringLiteral("QtRussianTexts");

} // namespace

void InitApplication()
{
    // The application's name, not a display name: the window system would append a display name
    // to every window caption, and the captions are exactly the program's own.
    QCoreApplication::setApplicationName(ApplicationTitle);

    // The operator reads Russian whatever the workstation's language; without the translation
    // files Qt's texts stay English.
    QCoreApplication *application = QCoreApplication::instance();
    if (application->findChild<QTranslator *>(QtTextsName, Qt::FindDirectChildrenOnly))
        return;
    auto *texts = new QTranslator(application);
    texts->setObjectName(QtTextsName);
    if (texts->load(QStringLiteral("qtbase_ru"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
    else
        qWarning("InitApplication: no Russian translation of Qt's texts");
}
