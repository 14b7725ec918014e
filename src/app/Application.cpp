#include "app/Application.h"

#include <QCoreApplication>

namespace {

const QString ApplicationTitle = QStringLiteral("ТАЛМЕР-АСУ-ТС-512");

} // namespace

void InitApplication()
{
    // The application's name, not a display name: the window system would append a display name
    // to every window caption, and the captions are exactly the program's own.
    QCoreApplication::setApplicationName(ApplicationTitle);
}
