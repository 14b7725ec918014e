#include "app/Application.h"
#include "app/InstanceCheck.h"
#include "station/Windows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A second running copy ends at once, silently.
    if (CountProgramInstances(CurrentProgramPath()) >= 2)
        return 0;

    QApplication application(argc, argv);
    InitApplication();
    RegisterComponentLibraries();

    TFormMain frame;
    frame.CreateWindows(StationWindows());
    frame.show();
    return application.exec();
}
